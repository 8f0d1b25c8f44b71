// tessarin-screenshot: the main window over the history of the current folder, after a
// prediction of the next draw (and optionally after a verification of a month), saved as
// pictures. Runs offscreen: QT_QPA_PLATFORM=offscreen.
//
//   tessarin-screenshot PREDICTION.png [VERIFICATION.png YYYY/MM]
#include "MainWindow.h"
#include "QtHost.h"

#include "history/HistoryFiles.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTextStream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarin"));
    if (QFontDatabase::families().contains(QStringLiteral("IPAGothic"))) {
        QFont font(QStringLiteral("IPAGothic"));
        font.setPointSize(9);
        QApplication::setFont(font);
    }
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 2 && args.size() != 4) {
        err << "usage: tessarin-screenshot PREDICTION.png [VERIFICATION.png YYYY/MM]\n";
        return 2;
    }

    gui::QtHost host;
    history::AppModule module;
    mainwindow::MainForm form(host, module);
    try {
        form.Form_Load(false);
    } catch (const history::FileError& e) {
        err << e.message() << '\n';
        return 1;
    }
    // Any message box would wait for a hand that is not there.
    host.answerNextMessages(100);
    gui::MainWindow window(form, host);
    window.resize(1366, 740);
    window.show();
    form.WaitTicks = 0;
    window.run([&] { form.LabStart_Click(); });
    QApplication::processEvents();
    if (!window.grab().save(args[1])) {
        err << "cannot write " << args[1] << '\n';
        return 1;
    }
    if (args.size() == 4) {
        window.run([&] {
            for (auto& b : form.ComDate)
                if (b.caption == args[3])
                    form.ComDate_Click(static_cast<int>(&b - form.ComDate.data()));
            form.LabKensyo_Click();
        });
        QApplication::processEvents();
        if (!window.grab().save(args[2])) {
            err << "cannot write " << args[2] << '\n';
            return 1;
        }
    }
    for (const auto& m : host.answered)
        err << m.title << ": " << m.text << '\n';
    form.Form_Unload();
    return 0;
}
