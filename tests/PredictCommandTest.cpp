// tessarin-cli predict over the hand-worked history.
#include "support/CliRun.h"
#include "support/PredictionHistory.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// Runs tessarin-cli, expecting the given exit code and an error message exactly when it
// is not success; returns the JSON printed.
QJsonObject runJson(const QString& args, int wantCode = cli::kOk) {
    // On the evening of the history's last draw, when nothing is missing from it.
    const CliRun r = runCli(args.split(u' '), QDateTime(QDate(2026, 2, 14), QTime(23, 0)));
    EXPECT_EQ(r.code, wantCode) << args.toStdString();
    EXPECT_EQ(r.err.isEmpty(), wantCode == cli::kOk) << r.err.toStdString();
    return QJsonDocument::fromJson(r.out.toUtf8()).object();
}

} // namespace

TEST(PredictCommand, NarrowOptionRunsThatNarrowingInsteadOfTheSwOne) {
    Workspace ws;
    ws.writeHistory(handWorkedHistory());
    auto& f = ws.load();
    f.Combo1.text = QStringLiteral("53");
    f.Command1_Click();
    f.Option2.selected = 1; // AB
    // The ③ narrowings have cases of their own under tests/data/prediction.
    using F = mainwindow::MainForm;
    for (const auto& [name, run] :
         {std::pair{"more", &F::Command10_Click}, std::pair{"test", &F::Command9_Click}}) {
        f.frmYosoClear();
        f.Command2_Click();
        (f.*run)();
        const QString args = QStringLiteral("predict --draw 53 --pair AB --json --narrow ");
        EXPECT_EQ(runJson(args + name)["narrowS"].toArray(),
                  QJsonArray::fromStringList(listOf(f.GrdSS2, f.narrowCountS)))
            << name;
    }
}

// The levels of a スタート give what the same sizes and narrowing give by hand.
TEST(PredictCommand, LevelsRunWhatTheStartChooses) {
    Workspace ws;
    ws.writeHistory(handWorkedHistory());
    const std::pair<const char*, const char*> cases[] = {
        {"--single-level 無し --double-level none --r7 ON", "--single-size 0 --double-size 0 "
                                                            "--narrow axis"},
        {"--single-level 強い --double-level 弱い --r7 off", "--single-size 200 --double-size 20"},
        {"--single-level normal --double-level 強い --r7 on",
         "--single-size 100 --double-size 200 --narrow axis2"},
        {"--single-level 弱い --double-level weak --r7 Off --cframe",
         "--single-size 20 --double-size 20 --narrow cframe"},
        {"--single-level 無し --double-level 無し --r7 on --cframe",
         "--single-size 0 --double-size 0 --narrow cframe"},
    };
    const QString base = QStringLiteral("predict --draw 53 --pair AB --json ");
    for (const auto& [levels, byHand] : cases) {
        const QJsonObject want = runJson(base + QString::fromUtf8(byHand));
        EXPECT_FALSE(want.isEmpty());
        EXPECT_EQ(runJson(base + QString::fromUtf8(levels)), want) << levels;
    }
}

// Bad input, combinations the window refuses, and level options that do not go together.
TEST(PredictCommand, RefusesBadInputAndLevelsTheWindowRefuses) {
    Workspace ws;
    ws.writeHistory(handWorkedHistory());
    const QString refused = QStringLiteral("この組み合わせでは予想できません。\n");
    for (const char* bad : {"--draw 50", "--draw 55", "--pair XY", "--nope", "--single-size -1",
                            "53", "--narrow sideways"})
        runJson(QStringLiteral("predict ") + QString::fromLatin1(bad), cli::kUsage);
    const std::pair<const char*, bool> cases[] = {
        // One refused combination: every one is in StartControlsTest.
        {"--single-level 無し --double-level 弱い --r7 on", true},
        {"--single-level 強い --double-level 強い", false},
        {"--single-level 強い --double-level 強い --r7 maybe", false},
        {"--single-level 最強 --double-level 強い --r7 on", false},
        {"--single-level 強い --double-level 強い --r7 on --single-size 5", false},
        {"--single-level 強い --double-level 強い --r7 on --narrow axis", false},
        {"--cframe", false},
    };
    for (const char* command : {"predict --draw 53 ", "verify --count 2 --draw 53 "})
        for (const auto& [args, isRefusal] : cases) {
            const QString line = QString::fromUtf8(command) + QString::fromUtf8(args);
            const CliRun r = runCli(line.split(u' '));
            EXPECT_EQ(r.code, cli::kUsage) << line.toStdString();
            EXPECT_EQ(r.out, QString()) << line.toStdString();
            EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
            EXPECT_EQ(r.err == refused, isRefusal) << line.toStdString();
        }
}
