// The import: number414.dat rebuilt from numbers4_2.csv, the file read strictly and in
// bounded memory, and two imports racing in one folder.
#include "support/Rows.h"
#include "support/TestHistory.h"

#include "download/DownloadForm.h"
#include "download/ImportCsv.h"
#include "ui/CsvLine.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <sys/resource.h>

using namespace testing_support;

namespace {

const QByteArray kThreeDraws = "3,1994/10/21,0097,,1516600,,126300,,821400,,63100,\r\n"
                               "2,1994/10/14,7921,2,923700,12,38400,3,481000,40,19200,\r\n"
                               "1,1994/9/7,1149,,942600,,78500,,510500,,39200,\r\n";

class Import : public ::testing::Test {
protected:
    Workspace ws;
    download::DownloadForm form{ws.host, ws.module, *ws.form};
    QString dat = ws.path(s(u"number414.dat"));

    void SetUp() override { ws.load(); }
    bool regenerate(const QByteArray& csv) {
        writeFile(ws.path(s(u"numbers4_2.csv")), csv);
        return form.Command8_Click();
    }
    QStringList leftovers() const { // a temporary left beside the history shows here
        return QDir(ws.path(s(u"."))).entryList({s(u"number414*")}, QDir::Files | QDir::Hidden);
    }
    history::DrawRecord record(int n) {
        return history::DrawRecord::decode(readFile(dat).mid((n - 1) * 128, 128));
    }
};

const QDate kToday(2026, 8, 24); // the Workspace's clock

const QByteArray kLine2 = "2,2026/08/21,9298,,1,,90400,,3,,4,";
const QByteArray kLine1 = "1,2026/08/20,9577,,1,,177300,,3,,4,";

download::ImportResult parse(const QByteArray& csv) {
    return download::parseImportCsv(csv, s(u"numbers4_2.csv"), kToday);
}

// The one-line file 1,2026/08/20,9577,,1,,2,,3,,4, with field `field` (from 1) made `text`.
QByteArray oneLine(int field, const QByteArray& text) {
    QList<QByteArray> fields = QByteArray("1,2026/08/20,9577,,1,,2,,3,,4,").split(',');
    fields[field - 1] = text;
    return fields.join(',') + "\r\n";
}

struct Refusal {
    const char* name;
    QByteArray csv;
    QString where; // a part of the refusal
};

// The one-line file refused for its field `field` (from 1), named by line and field.
Refusal badField(const char* name, int field, const QByteArray& text) {
    return {name, oneLine(field, text), s(u"1 行目、%1項目目").arg(field)};
}

const Refusal kRefusals[] = {
    {"payout with a letter inside", kLine2 + "\r\n" + oneLine(5, "12x34"),
     s(u"2 行目、5項目目（ストレート配当）")},
    {"thirteen fields", oneLine(12, ","), s(u"1 行目: 項目が12個")},
    {"eleven fields", "1,2026/08/20,9577,,1,,2,,3,,4\r\n", s(u"1 行目: 項目が12個")},
    {"dates going up the file", "2,2026/08/19,9298,,1,,2,,3,,4,\r\n" + kLine1 + "\r\n",
     s(u"2 行目、2項目目（抽選日）")},
    {"gap in the draws", "3,2026/08/21,9298,,1,,2,,3,,4,\r\n" + kLine1, s(u"2 行目、1項目目")},
    {"same date twice", "2,2026/08/20,9298,,1,,2,,3,,4,\r\n" + kLine1 + "\r\n",
     s(u"2 行目、2項目目（抽選日）")},
    {"line over 1 KB", oneLine(12, QByteArray(1100, 'x')), s(u"1 行目: 1行が 1024 バイト")},
    {"quote never closed", oneLine(3, "\"9577"), s(u"1 行目、3項目目")},
    {"full-width digit", oneLine(1, "\xEF\xBC\x91"),
     s(u"1 行目、1項目目（抽選回）: 「１」が数字ではありません")},
    {"digits after a quoted number", oneLine(3, "\"1234\"5"),
     s(u"1 行目、3項目目（当籤数字）: 「\"1234\"5」")},
    {"empty payout with winners", "1,2026/08/20,9577,,1,2,,,3,,4,\r\n", s(u"1 行目、7項目目")},
    {"empty file", "\r\n", s(u"ありません")},
    {"not down to draw 1", "3,2026/08/21,9298,,1,,2,,3,,4,\r\n2,2026/08/20,9577,,1,,2,,3,,4,",
     s(u"2 行目: 最後の行が第2回")},
    badField("draw number with a sign", 1, "+1"),
    badField("first draw the file cannot reach", 1, "9999"),
    badField("tomorrow", 2, "2026/08/25"),
    badField("no slash in the date", 2, "20260820"),
    badField("31st of April", 2, "2026/4/31"),
    badField("number of three digits", 3, "957"),
    badField("quote inside a field", 3, "95\"77\""),
    badField("winners not a number", 4, "x"),
    badField("winners beyond 16 bits", 4, "40000"),
};

class LenientImport : public testing::TestWithParam<Refusal> {};

} // namespace

TEST_P(LenientImport, IsRefusedNamingLineAndField) {
    const auto r = parse(GetParam().csv);
    EXPECT_TRUE(r.records.empty());
    EXPECT_TRUE(r.error.contains(GetParam().where)) << r.error.toStdString();
}
INSTANTIATE_TEST_SUITE_P(StrictImport, LenientImport, testing::ValuesIn(kRefusals), RowName);

// The result holds only the imported draws, whatever the history held before.
TEST_F(Import, ThreeLinesNewestFirstBecomeDrawsOneToThree) {
    ws.writeHistory(weekdayDraws(10, s(u"2021/02/01"), {s(u"1234")}));
    ASSERT_TRUE(regenerate(kThreeDraws));
    EXPECT_EQ(readFile(dat).size(), 3 * 128);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(record(n).DrawNo, n);
    const auto r2 = record(2);
    EXPECT_EQ(r2.dateText(), s(u"19941014"));
    EXPECT_EQ(r2.numberText(), s(u"7921"));
    EXPECT_EQ(r2.Winners, (std::array<int16_t, 4>{2, 12, 3, 40}));
    EXPECT_EQ(r2.Payout, (std::array<int32_t, 4>{923700, 38400, 481000, 19200}));
    EXPECT_EQ(r2.Filler, QByteArray(66, ' '));
    EXPECT_EQ(record(1).dateText(), s(u"19940907")); // one-digit month and day
    EXPECT_EQ(record(3).numberText(), s(u"0097"));
    ASSERT_EQ(ws.host.messages.size(), 1u);
    EXPECT_EQ(ws.host.messages[0].text, s(u"生成終了しました。"));
    EXPECT_EQ(ws.host.messages[0].title, s(u"終了"));
    EXPECT_EQ(leftovers(), QStringList{s(u"number414.dat")});
}

// The refusals of quoted fields: the table above.
TEST(CsvLineTest, FieldsLoseBlanksAndQuotes) {
    EXPECT_EQ(ui::splitCsvLine(s(u" 12 ,\"1994/10/07\", 0097 ,, \"a,\"\"b\"\"\" ")).fields,
              QStringList({s(u"12"), s(u"1994/10/07"), s(u"0097"), {}, s(u"a,\"b\"")}));
}

// A refusal after lines were written, or no import file at all, leaves the history byte for
// byte. Every refusal of the reading itself: the table above.
TEST_F(Import, FailedImportLeavesTheHistoryByteForByte) {
    const QByteArray old =
        historyBytes(weekdayDraws(4, s(u"2021/02/01"), {s(u"1234"), s(u"5678")}));
    writeFile(dat, old);
    EXPECT_FALSE(form.Command8_Click());
    EXPECT_FALSE(regenerate("3,1994/10/21,0097,,1,,2,,3,,4,\r\n2,1994/10/14,7921,,1\r\n"
                            "1,1994/10/7,1149,,1,,2,,3,,4,\r\n"));
    EXPECT_EQ(readFile(dat), old);
    ASSERT_EQ(ws.host.messages.size(), 2u);
    EXPECT_TRUE(ws.host.messages[0].text.contains(s(u"numbers4_2.csv")));
    EXPECT_TRUE(ws.host.messages[1].text.contains(s(u"2 行目")))
        << ws.host.messages[1].text.toStdString();
    EXPECT_EQ(leftovers(), QStringList{s(u"number414.dat")});
}

TEST(StrictImport, ByteOrderMarkAndEveryLineEndAreRead) {
    for (const QByteArray& end : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
        for (const QByteArray& bom : {QByteArray(), QByteArray("\xEF\xBB\xBF")}) {
            const auto r = parse(bom + kLine2 + end + end + kLine1 + end);
            ASSERT_EQ(r.error, QString()) << end.toHex().toStdString();
            ASSERT_EQ(r.records.size(), 2u);
            EXPECT_EQ(r.records[0].DrawNo, 2);
            EXPECT_EQ(r.records[1].Payout[1], 177300);
        }
    }
    // A refusal after a blank line counts the lines as the file has them.
    EXPECT_TRUE(parse(kLine2 + "\r\r\r\n1,x,9577,,1,,2,,3,,4,\r").error.contains(s(u"4 行目")));
}

TEST_F(Import, FilesOverTheCapAreRefusedAndMemoryStaysFlat) {
    ws.writeHistory(weekdayDraws(3, s(u"2021/02/01"), {s(u"1234")}));
    const QByteArray before = readFile(dat);
    {
        QFile big(ws.path(s(u"numbers4_2.csv")));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(download::ImportReader::kMaxFileBytes + 1)); // sparse
    }
    EXPECT_FALSE(form.Command8_Click());
    EXPECT_TRUE(ws.host.messages.back().text.contains(s(u"大きすぎます")));

    // 50 MB of blank lines is read a chunk at a time.
    {
        QFile blank(ws.path(s(u"numbers4_2.csv")));
        ASSERT_TRUE(blank.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QByteArray chunk(1 << 20, '\n');
        for (int i = 0; i < 50; ++i)
            blank.write(chunk);
    }
    rusage before_usage{}, after_usage{};
    getrusage(RUSAGE_SELF, &before_usage);
    EXPECT_FALSE(form.Command8_Click());
    getrusage(RUSAGE_SELF, &after_usage);
#ifdef __SANITIZE_ADDRESS__
    // The sanitizer's allocator keeps freed memory aside, so only a gross growth shows.
    constexpr long kMaxGrowthKb = 200 * 1024;
#else
    constexpr long kMaxGrowthKb = 20 * 1024;
#endif
    EXPECT_LT(after_usage.ru_maxrss - before_usage.ru_maxrss, kMaxGrowthKb); // the file is 50 MB
    EXPECT_TRUE(ws.host.messages.back().text.contains(s(u"抽選結果がありません")));
    EXPECT_EQ(readFile(dat), before);
    EXPECT_EQ(QDir(ws.path(s(u"."))).entryList(QDir::Files).size(), 2); // no temporary left
}

// Two real processes import the bundled history into one folder at once: each either
// waits for the other or is refused, and the history is always the whole import.
TEST(ImportRace, TwoImportsInOneFolderLeaveAWholeHistory) {
    Workspace ws;
    QFile::copy(QStringLiteral(TESSARIN_BUNDLED_CSV), ws.path(s(u"numbers4_2.csv")));
    QByteArray expected;
    for (const auto& r : bundledHistory())
        expected += r.encode();
    for (int round = 0; round < 3; ++round) {
        QProcess a, b;
        for (QProcess* p : {&a, &b}) {
            p->setWorkingDirectory(ws.path(s(u".")));
            p->start(QStringLiteral(TESSARIN_CLI),
                     {s(u"--data-dir"), ws.path(s(u".")), s(u"import")});
        }
        for (QProcess* p : {&a, &b}) {
            ASSERT_TRUE(p->waitForFinished(30000));
            const QString err = QString::fromUtf8(p->readAllStandardError());
            EXPECT_TRUE(
                p->exitCode() == 0 ||
                (p->exitCode() == 1 && err.contains(s(u"別の Tessarin が履歴を更新中です。"))))
                << p->exitCode() << err.toStdString();
        }
        ASSERT_EQ(readFile(ws.path(s(u"number414.dat"))), expected);
    }
    EXPECT_EQ(QDir(ws.path(s(u"."))).entryList(QDir::Files).size(), 2);
}
