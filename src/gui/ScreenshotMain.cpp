// tessarin-screenshot: the pictures of the guide, made offscreen over the history of the
// current folder (QT_QPA_PLATFORM=offscreen):
//
//   tessarin-screenshot DIR YYYY/MM
//
// DIR/screenshot.png  the window at 1366 × 700 after a prediction of the next draw
// DIR/manual.png      the same with 手動操作 open
// DIR/verify.png      after a verification of the month and a purchase what-if, the month
//                     buttons open
// DIR/small.png       the same with 手動操作 open at 1024 × 600
// DIR/strategies.png  the strategy table of the month
// DIR/chart.png       the tally chart
// DIR/printlist.png   the print list after a transfer of the narrowed lists
// DIR/positions.png   the print-position window
#include "CardWindows.h"
#include "MainWindow.h"
#include "QtHost.h"
#include "StrategyWindow.h"
#include "TallyChartWindow.h"

#include "history/HistoryFiles.h"

#include <QApplication>
#include <QDir>
#include <QStatusBar>
#include <QTextStream>
#include <QToolButton>

namespace {

bool save(QWidget* widget, const QString& dir, const QString& name, QTextStream& err) {
    QApplication::processEvents();
    if (widget->grab().save(QDir(dir).filePath(name)))
        return true;
    err << "cannot write " << QDir(dir).filePath(name) << '\n';
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarin"));
    gui::prepareApplication();
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << "usage: tessarin-screenshot DIR YYYY/MM\n";
        return 2;
    }
    const QString dir = args[1];

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
    window.statusBar()->showMessage(QString()); // the program's window has one
    window.resize(1366, 700);
    window.show();
    form.WaitTicks = 0;
    window.run([&] { form.LabStart_Click(); });
    bool ok = save(&window, dir, QStringLiteral("screenshot.png"), err);
    window.manualToggle()->setChecked(true);
    ok = save(&window, dir, QStringLiteral("manual.png"), err) && ok;
    window.manualToggle()->setChecked(false);

    window.run([&] {
        for (auto& b : form.ComDate)
            if (b.caption == args[2])
                form.ComDate_Click(static_cast<int>(&b - form.ComDate.data()));
        form.LabKensyo_Click();
        form.Command6_Click();
        form.LabKnen_Click(); // the month buttons open
    });
    ok = save(&window, dir, QStringLiteral("verify.png"), err) && ok;
    window.manualToggle()->setChecked(true);
    window.resize(1024, 600);
    ok = save(&window, dir, QStringLiteral("small.png"), err) && ok;
    window.manualToggle()->setChecked(false);
    window.run([&] { form.Frame7.visible = false; });
    window.resize(1366, 700);

    auto* strategies = gui::StrategyWindow::open(form, host, &window);
    strategies->resize(820, 560);
    strategies->refresh();
    ok = save(strategies, dir, QStringLiteral("strategies.png"), err) && ok;
    strategies->close();
    auto* chart = gui::TallyChartWindow::open(form, host, &window);
    chart->resize(900, 560);
    ok = save(chart, dir, QStringLiteral("chart.png"), err) && ok;
    chart->close();

    // The narrowed lists of the prediction into the print list.
    window.run([&] { form.LabStart_Click(); });
    gui::CardWindows cards(form, host, module, &window);
    cards.openTransfer();
    cards.run(
        [&] {
            cards.transfer.Check2[0].value = 1;
            cards.transfer.Check2[1].value = 1;
            cards.transfer.Transfer();
        },
        cards.transferWindow.get());
    ok = save(cards.printListWindow.get(), dir, QStringLiteral("printlist.png"), err) && ok;
    cards.run([&] { cards.printList.Command7_Click(); }, cards.printListWindow.get());
    ok = save(cards.positionWindow.get(), dir, QStringLiteral("positions.png"), err) && ok;

    for (const auto& m : host.answered)
        err << m.title << ": " << m.text << '\n';
    form.Form_Unload();
    return ok ? 0 : 1;
}
