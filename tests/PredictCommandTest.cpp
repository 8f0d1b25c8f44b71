// tessarin-cli predict over the hand-worked history.
#include "support/PredictionHistory.h"

#include "Cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QStringList split(const char* text) {
    return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

TEST(PredictCommand, PrintsTheWholeChainAsJson) {
    Workspace ws;
    ws.writeHistory(handWorkedHistory());
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    const int code = cli::run(split("predict --draw 53 --pair ab --single-size 3 --double-size 1 "
                                    "--more --json"),
                              out, err);
    ASSERT_EQ(code, cli::kOk) << errText.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(outText.toUtf8()).object();
    EXPECT_EQ(o.keys(), split("axis basicS basicW digitTables draw hitS hitW marker narrowHit "
                              "narrowS narrowW winKeyS winKeyW winning wsPrediction"));
    EXPECT_EQ(o[QStringLiteral("digitTables")].toObject()[QStringLiteral("C")].toArray(),
              QJsonArray::fromStringList(split("0 3 4 7")));
    EXPECT_EQ(o[QStringLiteral("narrowS")].toArray(),
              QJsonArray::fromStringList(handWorkedNarrowS()));
    EXPECT_EQ(o[QStringLiteral("narrowW")].toArray(),
              QJsonArray::fromStringList(handWorkedNarrowW()));
    EXPECT_EQ(o[QStringLiteral("narrowHit")].toInt(), 1);
    EXPECT_EQ(o[QStringLiteral("winKeyS")].toString(), QStringLiteral("2579"));

    for (const char* bad :
         {"predict --draw 50", "predict --draw 55", "predict --pair XY", "predict --nope",
          "predict --single-size -1", "predict 53", "predict --narrow sideways"}) {
        QString o2, e2;
        QTextStream out2(&o2), err2(&e2);
        EXPECT_EQ(cli::run(split(bad), out2, err2), cli::kUsage) << bad;
        EXPECT_FALSE(e2.isEmpty()) << bad;
    }
}

TEST(PredictCommand, NarrowOptionRunsThatNarrowingInsteadOfTheSwOne) {
    Workspace ws;
    ws.writeHistory(handWorkedHistory());
    mainwindow::MainForm& f = ws.load();
    f.Combo1.text = QStringLiteral("53");
    f.Command1_Click();
    f.Option2.selected = 1;
    f.Command2_Click();
    using Narrowing = void (mainwindow::MainForm::*)();
    const std::pair<const char*, Narrowing> cases[] = {
        {"cframe", &mainwindow::MainForm::Command12_Click},
        {"axis", &mainwindow::MainForm::Command13_Click},
        {"axis2", &mainwindow::MainForm::Command14_Click},
        {"more", &mainwindow::MainForm::Command10_Click},
        {"test", &mainwindow::MainForm::Command9_Click}};
    for (const auto& [name, run] : cases) {
        SCOPED_TRACE(name);
        f.frmYosoClear();
        f.Command2_Click();
        (f.*run)();
        QStringList want;
        for (int r = 1; r <= f.narrowCountS; ++r)
            want.append(f.GrdSS2.text(r, 1));

        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        ASSERT_EQ(cli::run(split("predict --draw 53 --pair AB --json --narrow") << name, out, err),
                  cli::kOk)
            << errText.toStdString();
        const QJsonObject o = QJsonDocument::fromJson(outText.toUtf8()).object();
        EXPECT_EQ(o[QStringLiteral("narrowS")].toArray(), QJsonArray::fromStringList(want));
    }
}
