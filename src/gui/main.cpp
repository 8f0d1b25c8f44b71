#include "DownloadWindow.h"
#include "MainWindow.h"
#include "QtHost.h"

#include "download/DownloadForm.h"
#include "history/HistoryFiles.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QMessageBox>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarin"));
    if (QFontDatabase::families().contains(QStringLiteral("IPAGothic"))) {
        QFont font(QStringLiteral("IPAGothic"));
        font.setPointSize(9);
        QApplication::setFont(font);
    }

    gui::QtHost host;
    history::AppModule module;
    mainwindow::MainForm form(host, module);
    download::DownloadForm downloadForm(host, module, form);
    // The results window is loaded hidden before the start-up, whose last step is its
    // catch-up; --results-url URL replaces the operator's address.
    downloadForm.Form_Load();
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--results-url") && i + 1 < args.size())
            downloadForm.useBaseAddress(args[++i]);
        else if (args[i].startsWith(QStringLiteral("--results-url=")))
            downloadForm.useBaseAddress(args[i].mid(args[i].indexOf(u'=') + 1));
    }
    form.catchUp = [&downloadForm] { downloadForm.SaisinKousin(); };
    try {
        form.Form_Load(true);
    } catch (const history::FileError& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Tessarin"), e.message());
        return 1;
    }
    gui::MainWindow window(form, host);
    auto* results = new gui::DownloadWindow(downloadForm, host, &window);
    window.showResultsWindow = [results] {
        results->show();
        results->raise();
        results->activateWindow();
    };
    window.show();
    window.place();
    return app.exec();
}
