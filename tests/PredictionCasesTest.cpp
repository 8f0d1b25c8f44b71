// The prediction chain against expected output, one folder per case under
// tests/data/prediction: history.csv (or "bundled-through": N in the settings for the bundled
// history up to draw N), settings.json (predict's options: "name": value, true for a
// switch) and expected.json (what tessarin-cli predict --json prints). A new case is a new
// folder.
#include "support/CliRun.h"
#include "support/TestHistory.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>

using testing_support::Workspace;

namespace {

const QString kCases = QStringLiteral(TESSARIN_TEST_DATA "/prediction");
const QString kBundledThrough = QStringLiteral("bundled-through");

std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    for (const QString& name : QDir(kCases).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        names.push_back(name.toStdString());
    return names;
}

QJsonObject readJson(const QString& path) {
    return QJsonDocument::fromJson(testing_support::readFile(path)).object();
}

class PredictionCase : public testing::TestWithParam<std::string> {};

TEST_P(PredictionCase, ChainPrintsTheExpectedJson) {
    const QDir source(kCases + u'/' + QString::fromStdString(GetParam()));
    const QJsonObject settings = readJson(source.filePath(QStringLiteral("settings.json")));
    ASSERT_FALSE(settings.isEmpty()) << "settings.json missing or not an object";

    Workspace ws; // a copy of the case in a temporary folder, made current
    if (settings.contains(kBundledThrough)) {
        auto records = testing_support::bundledHistory();
        records.resize(static_cast<size_t>(settings[kBundledThrough].toInt()));
        ws.writeHistoryRecords(records);
    } else {
        ASSERT_TRUE(QFile::copy(source.filePath(QStringLiteral("history.csv")),
                                ws.path(QStringLiteral("history.csv"))));
        const auto imported = testing_support::runCli({"import", "history.csv"});
        ASSERT_EQ(imported.code, cli::kOk) << imported.err.toStdString();
    }

    QStringList args{QStringLiteral("predict"), QStringLiteral("--json")};
    for (auto it = settings.begin(); it != settings.end(); ++it) {
        if (it.key() == kBundledThrough || it.value() == QJsonValue(false))
            continue;
        args.append(QStringLiteral("--") + it.key());
        if (!it.value().isBool())
            args.append(it.value().toVariant().toString());
    }
    const auto r = testing_support::runCli(args);
    ASSERT_EQ(r.code, cli::kOk) << r.err.toStdString();
    const QJsonObject got = QJsonDocument::fromJson(r.out.toUtf8()).object();
    const QJsonObject want = readJson(source.filePath(QStringLiteral("expected.json")));
    ASSERT_FALSE(want.isEmpty()) << "no expected.json; the chain printed:\n" << r.out.toStdString();
    // Indented, one value a line, so that GoogleTest prints a difference line by line.
    EXPECT_EQ(QJsonDocument(got).toJson().toStdString(),
              QJsonDocument(want).toJson().toStdString());
}

INSTANTIATE_TEST_SUITE_P(Folders, PredictionCase, testing::ValuesIn(caseNames()),
                         [](const testing::TestParamInfo<std::string>& folder) {
                             std::string name = folder.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
