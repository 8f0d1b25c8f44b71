// tessarin-cli predict over the hand-worked history.
#include "support/PredictionHistory.h"

#include "Cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using mainwindow::ListCol;

using namespace testing_support;

namespace {

// Runs tessarin-cli, expecting the given exit code and an error message exactly when it
// is not success; returns the JSON printed.
QJsonObject runCli(const QString& args, int wantCode = cli::kOk) {
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    EXPECT_EQ(cli::run(args.split(u' '), out, err), wantCode) << args.toStdString();
    EXPECT_EQ(errText.isEmpty(), wantCode == cli::kOk) << errText.toStdString();
    return QJsonDocument::fromJson(outText.toUtf8()).object();
}

QJsonArray arrayOf(const char* words) {
    return QJsonArray::fromStringList(wordsOf(words));
}

} // namespace

TEST(PredictCommand, PrintsTheWholeChainAsJsonAndRefusesBadInput) {
    Workspace ws;
    ws.writeHistory(handWorkedHistory());
    const QJsonObject o = runCli(QStringLiteral(
        "predict --draw 53 --pair ab --single-size 3 --double-size 1 --more --json"));
    EXPECT_EQ(o.keys(), wordsOf("axis basicS basicW digitTables draw hitS hitW marker "
                                "narrowHit narrowS narrowW winKeyS winKeyW winning "
                                "wsPrediction"));
    EXPECT_EQ(o["digitTables"].toObject()["C"].toArray(), arrayOf("0 3 4 7"));
    EXPECT_EQ(o["narrowS"].toArray(), arrayOf(kHandWorkedNarrowS));
    EXPECT_EQ(o["narrowW"].toArray(), arrayOf(kHandWorkedNarrowW));
    EXPECT_EQ(o["narrowHit"].toInt(), 1);
    EXPECT_EQ(o["winKeyS"].toString(), QStringLiteral("2579"));

    for (const char* bad :
         {"predict --draw 50", "predict --draw 55", "predict --pair XY", "predict --nope",
          "predict --single-size -1", "predict 53", "predict --narrow sideways"})
        runCli(QString::fromLatin1(bad), cli::kUsage);
}

TEST(PredictCommand, NarrowOptionRunsThatNarrowingInsteadOfTheSwOne) {
    Workspace ws;
    ws.writeHistory(handWorkedHistory());
    auto& f = ws.load();
    f.Combo1.text = QStringLiteral("53");
    f.Command1_Click();
    f.Option2.selected = 1; // AB
    using Narrowing = void (mainwindow::MainForm::*)();
    const std::pair<const char*, Narrowing> cases[] = {
        {"cframe", &mainwindow::MainForm::Command12_Click},
        {"axis", &mainwindow::MainForm::Command13_Click},
        {"axis2", &mainwindow::MainForm::Command14_Click},
        {"more", &mainwindow::MainForm::Command10_Click},
        {"test", &mainwindow::MainForm::Command9_Click}};
    for (const auto& [name, run] : cases) {
        f.frmYosoClear();
        f.Command2_Click();
        (f.*run)();
        QStringList want;
        for (int r = 1; r <= f.narrowCountS; ++r)
            want.append(f.GrdSS2.text(r, ListCol::Number));
        const QString args = QStringLiteral("predict --draw 53 --pair AB --json --narrow ");
        EXPECT_EQ(runCli(args + name)["narrowS"].toArray(), QJsonArray::fromStringList(want))
            << name;
    }
}
