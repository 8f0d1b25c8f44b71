#include "Program.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarin"));
    if (QFontDatabase::families().contains(QStringLiteral("IPAGothic"))) {
        QFont font(QStringLiteral("IPAGothic"));
        font.setPointSize(9);
        QApplication::setFont(font);
    }

    gui::Program program;
    // --results-url URL replaces the operator's address.
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--results-url") && i + 1 < args.size())
            program.results.useBaseAddress(args[++i]);
        else if (args[i].startsWith(QStringLiteral("--results-url=")))
            program.results.useBaseAddress(args[i].mid(args[i].indexOf(u'=') + 1));
    }
    if (!program.start())
        return 1;
    return app.exec();
}
