// Rebuilding number414.dat from numbers4_2.csv.
#include "support/TestHistory.h"

#include "download/DownloadForm.h"
#include "ui/CsvLine.h"

#include <gtest/gtest.h>

using testing_support::readFile;
using testing_support::Workspace;
using testing_support::writeFile;

namespace {

const QByteArray kThreeDraws = "3,1994/10/21,0097,,1516600,,126300,,821400,,63100,\r\n"
                               "2,1994/10/14,7921,2,923700,12,38400,3,481000,40,19200,\r\n"
                               "1,1994/9/7,1149,,942600,,78500,,510500,,39200,\r\n";

class RegenerationTest : public ::testing::Test {
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

} // namespace

// The result holds only the imported draws, whatever the history held before.
TEST_F(RegenerationTest, ThreeLinesNewestFirstBecomeDrawsOneToThree) {
    ws.writeHistory(testing_support::weekdayDraws(10, s(u"2021/02/01"), {s(u"1234")}));
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

// The refusals of quoted fields: StrictImportTest.
TEST(CsvLineTest, FieldsLoseBlanksAndQuotes) {
    EXPECT_EQ(ui::splitCsvLine(s(u" 12 ,\"1994/10/07\", 0097 ,, \"a,\"\"b\"\"\" ")).fields,
              QStringList({s(u"12"), s(u"1994/10/07"), s(u"0097"), {}, s(u"a,\"b\"")}));
}

// A refusal after lines were written, or no import file at all, leaves the history byte for
// byte. Every refusal of the reading itself: StrictImportTest.
TEST_F(RegenerationTest, FailedImportLeavesTheHistoryByteForByte) {
    const QByteArray old = testing_support::historyBytes(
        testing_support::weekdayDraws(4, s(u"2021/02/01"), {s(u"1234"), s(u"5678")}));
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
