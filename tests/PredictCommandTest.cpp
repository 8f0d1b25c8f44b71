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

    for (const char* bad : {"predict --draw 50", "predict --draw 55", "predict --pair XY",
                            "predict --nope", "predict --single-size -1", "predict 53"}) {
        QString o2, e2;
        QTextStream out2(&o2), err2(&e2);
        EXPECT_EQ(cli::run(split(bad), out2, err2), cli::kUsage) << bad;
        EXPECT_FALSE(e2.isEmpty()) << bad;
    }
}
