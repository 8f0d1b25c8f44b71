// Reading the operator's files: the timestamp and address, the result file, Shift-JIS, and
// inputs the fuzzers found.
#include "support/LoopbackServer.h"
#include "support/QtPrinters.h"
#include "support/Rows.h"
#include "support/TestHistory.h"

#include "download/DownloadForm.h"
#include "download/ImportCsv.h"
#include "download/ResultFile.h"
#include "ui/Numeric.h"

#include <gtest/gtest.h>

#include <limits>

using namespace testing_support;

namespace {

TEST(Timestamp, CountsEveryYearAs365DaysAndFebruaryAs28) {
    const std::tuple<const char*, const char*, long long> cases[] = {
        {"2018/01/01", "00:00:00", 1514732400},
        {"2024/11/23", "09:05:03", 1732147503},
        {"2024/03/01", "00:00:00", 1709046000}, // two days short of the true count
        {"2040/01/01", "00:00:00", 1514732400 + 22LL * 31536000}, // past 32 bits
    };
    Workspace ws;
    download::DownloadForm dl(ws.host, ws.module, *ws.form);
    dl.Form_Load();
    for (const auto& [date, time, want] : cases) {
        dl.Text1[0].text = QString::fromLatin1(date);
        dl.Text1[1].text = QString::fromLatin1(time);
        dl.TSkeisan();
        EXPECT_EQ(dl.Label2.caption, QString::number(want)) << date << " " << time;
    }
}

download::ParsedDraw parsed(long long draw, const QString& eraDate, const QString& number,
                            const QStringList& prizes = {}) {
    const auto got = download::parseResultFile(
        resultFile(static_cast<int>(draw), eraDate, number, prizes), draw);
    EXPECT_EQ(got.error, QString()) << draw << " " << eraDate.toStdString();
    return got.draw;
}

TEST(ResultFileParse, ReadsTheDateByTheEraOfTheDrawAndTheNumber) {
    const std::tuple<long long, const char16_t*, const char16_t*, const char*, const char*>
        cases[] = {
            {5166, u"平成31年4月30日", u"0331", "20190430", "0331"}, // the last draw of 平成
            {5167, u"令和元年5月1日", u"6703", "20190501", "6703"},
            {7073, u"令和８年９月１７日", u"０００７", "20260917", "0007"},
        };
    for (const auto& [draw, eraDate, number, wantDate, wantNumber] : cases) {
        const auto d = parsed(draw, s(eraDate), s(number));
        EXPECT_EQ(d.drawNo, draw);
        EXPECT_EQ(d.date, QString::fromLatin1(wantDate)) << draw;
        EXPECT_EQ(d.number, QString::fromLatin1(wantNumber)) << draw;
    }
}

TEST(ResultFileParse, ReadsThePrizeLinesWithNoWinnerInAnyOfThem) {
    const QString date = s(u"令和8年9月17日");
    // "ストレート,6916,18口,986400円", "ボックス,153口,82200円" and the two セット lines
    const QStringList usual = resultFile(7073, date, s(u"6916")).split(s(u"\r\n")).mid(11, 4);
    for (int none = -1; none < 4; ++none) { // -1: every line has winners
        std::array<int, 4> winners = {18, 153, 51, 680}, payout = {986400, 82200, 534300, 41100};
        QStringList prizes = usual;
        if (none >= 0) {
            prizes[none] = prizes[none].section(u',', 0, 0) + s(u",該当なし");
            winners[none] = payout[none] = 0;
        }
        const auto d = parsed(7073, date, s(u"6916"), prizes);
        EXPECT_EQ(d.winners, winners) << "該当なし in prize line " << none;
        EXPECT_EQ(d.payout, payout) << "該当なし in prize line " << none;
    }
    QStringList prizes = usual;
    prizes[1] = s(u"ボックス,１５３口,８２２００円");
    const auto d = parsed(7073, date, s(u"6916"), prizes);
    EXPECT_EQ(std::pair(d.winners[1], d.payout[1]), std::pair(153, 82200)); // full-width digits
}

using Rejected = std::tuple<const char*, QString, long long, QString>;

std::vector<Rejected> rejectedFiles() {
    const QString date = s(u"令和8年9月17日");
    const QString good = resultFile(7073, date, s(u"6916"));
    return {
        {"other draw", good, 7074, s(u"第7074回ではありません")},
        {"html page", s(u"<!DOCTYPE html>\r\n<html><body>x</body></html>\r\n"), 7073, s(u"HTML")},
        {"heisei draw with a reiwa date", resultFile(5166, s(u"令和1年4月30日"), s(u"6916")), 5166,
         s(u"平成")},
        {"no such date", resultFile(7073, s(u"令和8年2月30日"), s(u"6916")), 7073,
         s(u"正しい日付ではありません")},
        {"three digits", resultFile(7073, date, s(u"123")), 7073, s(u"4桁")},
        {"prize line without 口", QString(good).replace(s(u"153口"), s(u"153")), 7073,
         s(u"13行目")},
        {"too many winners to store", QString(good).replace(s(u"18口,986400円"), s(u"40000口,1円")),
         7073, s(u"範囲")},
        {"negative winners", QString(good).replace(s(u",18口"), s(u",-18口")), 7073,
         s(u"12行目「ストレート,6916,-18口,986400円」")},
        {"fourteen lines", good.section(s(u"\r\n"), 0, 13) + s(u"\r\n"), 7073, s(u"15行")},
    };
}

class ResultFile : public testing::TestWithParam<Rejected> {};

TEST_P(ResultFile, RejectsWhatIsNotTheRequestedDraw) {
    const auto& [name, text, requested, wantInError] = GetParam();
    const download::ResultParse got = download::parseResultFile(text, requested);
    EXPECT_TRUE(got.error.contains(wantInError)) << got.error.toStdString();
    EXPECT_EQ(got.draw.drawNo, 0);
}
INSTANTIATE_TEST_SUITE_P(ResultFileParse, ResultFile, testing::ValuesIn(rejectedFiles()), RowName);

TEST(DrawDate, MustFitBetweenTheStoredDrawsAroundItAndNotBeAfterToday) {
    const QDate before(2026, 9, 15);
    const QDate after(2026, 9, 17);
    const QDate today(2026, 9, 18);
    const std::tuple<const char*, QDate, QDate, const char16_t*> cases[] = {
        // date of draw 7071, stored draw 7070's date, stored draw 7072's date, refusal
        {"20260915",
         before,
         {},
         u"2026/09/15 が、保存済みの第7070回の抽選日 2026/09/15 より後では"},
        {"20260918", before, {}, u""},
        {"20260919", before, {}, u"第7071回の抽選日 2026/09/19 は今日（2026/09/18）より後"},
        {"20260916", before, after, u""},
        {"20260917", before, after, u"保存済みの第7072回の抽選日 2026/09/17 より前ではありません"},
        {"20260917", {}, {}, u""},
        {"2026091", {}, {}, u"正しい日付ではありません"},
    };
    for (const auto& [date, storedBefore, storedAfter, want] : cases) {
        download::ParsedDraw d;
        d.drawNo = 7071;
        d.date = QString::fromLatin1(date);
        const QString got = download::drawDateRefusal(d, storedBefore, storedAfter, today);
        EXPECT_TRUE(*want ? got.contains(s(want)) : got.isEmpty())
            << date << ": " << got.toStdString();
    }
}

TEST(IndexFile, ReadsThePrefixAndTheLatestDrawOrSaysWhatIsMissing) {
    const std::tuple<const char16_t*, const char*, long long> cases[] = {
        {u"A52\r\n第4907回ナンバーズ,令和6年\r\n", "2", 4907},
        {u"any length of line 1 ending in 7\n第12345回\n", "7", 12345},
        {u"A52\r第7073回", "2", 7073},
        {u"A5x\r\n第4907回\r\n", "", 0},
        {u"A52\r\n第0回\r\n", "", 0},
        {u"A52\r\n第9999999999回\r\n", "", 0}, // more digits than any draw
    };
    for (const auto& [text, prefix, latest] : cases) {
        const auto index = download::parseIndexFile(s(text));
        const std::string row = s(text).toStdString();
        EXPECT_EQ(index.prefix, QString::fromLatin1(prefix)) << row;
        EXPECT_EQ(index.latest, latest) << row;
        EXPECT_EQ(index.error.isEmpty(), latest > 0) << row;
    }
}

TEST(IndexFile, IsBelievedAsFarAsOneDrawAWeekdaySinceTheLatestStoredDraw) {
    const QDate friday(2026, 9, 11);
    const std::tuple<long long, QDate, QDate, long long> cases[] = {
        // claimed latest, latest stored draw's date, today, believed (7070 stored)
        {7316, friday, QDate(2026, 9, 14), 7071},            // Monday: one draw
        {7316, friday, QDate(2026, 9, 13), 7070},            // the weekend holds none
        {7316, friday, QDate(2026, 9, 1), 7070},             // a clock behind the history
        {7316, friday, QDate(2026, 9, 25), 7080},            // two weeks
        {7316, QDate(2026, 9, 9), QDate(2026, 10, 4), 7087}, // Wednesday to a Sunday
        {7075, friday, QDate(2026, 9, 25), 7075},            // a claim within the limit stands
        {7316, QDate(), QDate(2026, 9, 25), 7316},           // nothing stored to measure from
    };
    for (const auto& [claimed, stored, today, want] : cases)
        EXPECT_EQ(download::believableLatest(claimed, 7070, stored, today), want)
            << stored.toString().toStdString() << " to " << today.toString().toStdString();
}

// Found by the import fuzzer: a count of fifty digits was an undefined conversion.
TEST(FuzzRegression, HugeNumbersSaturateInsteadOfOverflowing) {
    EXPECT_EQ(ui::roundHalfEven(5.5e50), std::numeric_limits<long long>::max());
    EXPECT_EQ(ui::roundHalfEven(-5.5e50), std::numeric_limits<long long>::min());
    EXPECT_EQ(ui::leadingInt(QString(400, u'9')), std::numeric_limits<long long>::max());
    const QByteArray line =
        "1,1994/10/07,1149,," + QByteArray(51, '5') + ",,78500,,510500,,39200,\r\n";
    const auto parsed = download::parseImportCsv(line, s(u"numbers4_2.csv"));
    EXPECT_TRUE(parsed.error.contains(s(u"範囲外"))) << parsed.error.toStdString();
    EXPECT_EQ(parsed.records.size(), 0u);
}

} // namespace
