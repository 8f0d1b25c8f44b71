// tessarin-cli predict over the hand-worked history.
#include "support/PredictionHistory.h"

#include "Cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

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

} // namespace

TEST(PredictCommand, RefusesBadInput) {
    Workspace ws;
    ws.writeHistory(handWorkedHistory());
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
    // The ③ narrowings have cases of their own under tests/data/prediction.
    const std::pair<const char*, Narrowing> cases[] = {
        {"more", &mainwindow::MainForm::Command10_Click},
        {"test", &mainwindow::MainForm::Command9_Click}};
    for (const auto& [name, run] : cases) {
        f.frmYosoClear();
        f.Command2_Click();
        (f.*run)();
        QStringList want;
        for (int r = 1; r <= f.narrowCountS; ++r)
            want.append(f.GrdSS2.text(r, 1));
        const QString args = QStringLiteral("predict --draw 53 --pair AB --json --narrow ");
        EXPECT_EQ(runCli(args + name)["narrowS"].toArray(), QJsonArray::fromStringList(want))
            << name;
    }
}
