#include "CardsCommand.h"
#include "Cli.h"
#include "VerifyCommand.h"

#ifdef TESSARIN_CHARTS
#include <QApplication>
#endif
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words.append(QString::fromLocal8Bit(argv[i]));
    // Only painting needs the Gui module; everything else stays a plain console program.
    std::unique_ptr<QCoreApplication> app;
    const bool charts = cli::needsChartApplication(words);
    if (charts || cli::needsGuiApplication(words)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
            qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef TESSARIN_CHARTS
        // Qt Charts draws through the graphics view, which wants the widget application.
        if (charts)
            app = std::make_unique<QApplication>(argc, argv);
#endif
        if (!app)
            app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = cli::run(app->arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return code;
}
