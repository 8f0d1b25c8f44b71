// Reading the operator's files: the timestamp and addresses, the result file, Shift-JIS,
// and inputs the fuzzers found.
#include "support/LoopbackServer.h"
#include "support/QtPrinters.h"
#include "support/TestHistory.h"

#include "download/DownloadForm.h"
#include "download/ImportCsv.h"
#include "download/ResultFile.h"
#include "download/ShiftJis.h"
#include "ui/Numeric.h"

#include <gtest/gtest.h>

#include <limits>

using namespace testing_support;

namespace {

const QStringList kOperatorPrizes = {QStringLiteral("ストレート,6916,18口,986400円"),
                                     QStringLiteral("ボックス,153口,82200円"),
                                     QStringLiteral("セット（ストレート）,51口,534300円"),
                                     QStringLiteral("セット（ボックス）,680口,41100円")};

struct TimestampCase {
    const char* date;
    const char* time;
    long long want;
};

TEST(Timestamp, CountsEveryYearAs365DaysAndFebruaryAs28) {
    const TimestampCase cases[] = {
        {"2018/01/01", "00:00:00", 1514732400},
        {"2024/11/23", "09:05:03", 1732147503},
        {"2024/03/01", "00:00:00", 1709046000}, // two days short of the true count
        {"2040/01/01", "00:00:00", 1514732400 + 22LL * 31536000}, // past 32 bits
        {"2024/13/01", "00:00:00", 1514732400 + 7LL * 31536000},  // a 13th month: the whole year
    };
    Workspace ws;
    download::DownloadForm dl(ws.host, ws.module, *ws.form);
    dl.Form_Load();
    for (const auto& c : cases) {
        dl.Text1[0].text = QString::fromLatin1(c.date);
        dl.Text1[1].text = QString::fromLatin1(c.time);
        dl.TSkeisan();
        EXPECT_EQ(dl.Label2.caption, QString::number(c.want)) << c.date << " " << c.time;
    }
}

TEST(Timestamp, AddressesCarryTheTimestampAndTheDrawAsTyped) {
    Workspace ws;
    download::DownloadForm dl(ws.host, ws.module, *ws.form);
    dl.Form_Load();
    EXPECT_EQ(dl.Text1[0].text, QStringLiteral("2026/08/24"));
    EXPECT_EQ(dl.Text1[1].text, QStringLiteral("09:00:00"));
    dl.Label3[3].caption = QStringLiteral("2");
    dl.Label2.caption = QStringLiteral("1732147503");
    EXPECT_EQ(dl.resultAddress(),
              download::operatorBaseAddress() + QStringLiteral("A1024907.CSV?1732147503"));
    EXPECT_EQ(dl.indexAddress(),
              download::operatorBaseAddress() + QStringLiteral("numbers.csv?1732147503"));
}

QStringList withNone(int line) {
    QStringList prizes = kOperatorPrizes;
    prizes[line] = prizes[line].section(u',', 0, 0) + QStringLiteral(",該当なし");
    return prizes;
}

download::ParsedDraw parsed(long long draw, const QString& eraDate, const QString& number,
                            const QStringList& prizes = kOperatorPrizes) {
    const auto got = download::parseResultFile(
        resultFile(static_cast<int>(draw), eraDate, number, prizes), draw);
    EXPECT_EQ(got.error, QString()) << draw << " " << eraDate.toStdString();
    return got.draw;
}

struct DateCase {
    long long draw;
    const char16_t* eraDate;
    const char16_t* number;
    const char* wantDate;
    const char* wantNumber;
};

TEST(ResultFileParse, ReadsTheDateByTheEraOfTheDrawAndTheNumber) {
    const DateCase cases[] = {
        {7073, u"令和8年9月17日", u"6916", "20260917", "6916"},
        {4850, u"平成30年1月4日", u"6916", "20180104", "6916"},
        {5166, u"平成31年4月30日", u"0331", "20190430", "0331"}, // the last draw of 平成
        {5167, u"令和元年5月1日", u"6703", "20190501", "6703"},
        {7073, u"令和8年9月17日", u"0007", "20260917", "0007"},
        {7073, u"令和８年９月１７日", u"０００７", "20260917", "0007"},
    };
    for (const auto& c : cases) {
        const auto d = parsed(c.draw, QString::fromUtf16(c.eraDate), QString::fromUtf16(c.number));
        EXPECT_EQ(d.drawNo, c.draw);
        EXPECT_EQ(d.date, QString::fromLatin1(c.wantDate)) << c.draw;
        EXPECT_EQ(d.number, QString::fromLatin1(c.wantNumber)) << c.draw;
    }
}

TEST(ResultFileParse, ReadsThePrizeLines) {
    const QString date = QStringLiteral("令和8年9月17日");
    const QString n = QStringLiteral("6916");
    const std::array<int, 4> winners = {18, 153, 51, 680};
    const std::array<int, 4> payout = {986400, 82200, 534300, 41100};
    auto d = parsed(7073, date, n);
    EXPECT_EQ(d.winners, winners);
    EXPECT_EQ(d.payout, payout);
    for (int k = 0; k < 4; ++k) {
        auto w = winners;
        auto p = payout;
        w[k] = p[k] = 0;
        d = parsed(7073, date, n, withNone(k));
        EXPECT_EQ(d.winners, w) << "該当なし in line " << 12 + k;
        EXPECT_EQ(d.payout, p) << "該当なし in line " << 12 + k;
    }
    QStringList prizes = kOperatorPrizes;
    prizes[0] = QStringLiteral("ストレート,6916,123口,91500円");
    prizes[1] = QStringLiteral("ボックス,１５３口,８２２００円");
    d = parsed(7073, date, n, prizes);
    EXPECT_EQ(d.winners, (std::array<int, 4>{123, 153, 51, 680}));
    EXPECT_EQ(d.payout, (std::array<int, 4>{91500, 82200, 534300, 41100}));
}

struct BadCase {
    const char* name;
    QString text;
    long long requested;
    QString wantInError;
};

QString replaceLine(QString text, int line, const QString& with) {
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines[line - 1] = with;
    return lines.join(QStringLiteral("\r\n"));
}

TEST(ResultFileParse, RejectsWhatIsNotTheRequestedDraw) {
    const QString good = resultFile(7073, QStringLiteral("令和8年9月17日"), QStringLiteral("6916"));
    const BadCase cases[] = {
        {"other draw", good, 7074, QStringLiteral("第7074回ではありません")},
        {"heisei draw with a reiwa date",
         resultFile(5166, QStringLiteral("令和1年4月30日"), QStringLiteral("6916")), 5166,
         QStringLiteral("平成")},
        {"no day", replaceLine(good, 2, QStringLiteral("第7073回ナンバーズ,令和8年9月17")), 7073,
         QStringLiteral("令和")},
        {"no such date", resultFile(7073, QStringLiteral("令和8年2月30日"), QStringLiteral("6916")),
         7073, QStringLiteral("正しい日付ではありません")},
        {"three digits", resultFile(7073, QStringLiteral("令和8年9月17日"), QStringLiteral("123")),
         7073, QStringLiteral("4桁")},
        {"five digits", resultFile(7073, QStringLiteral("令和8年9月17日"), QStringLiteral("12345")),
         7073, QStringLiteral("4桁")},
        {"prize line without 口", replaceLine(good, 13, QStringLiteral("ボックス,153,82200円")),
         7073, QStringLiteral("13行目")},
        {"prize line without 円",
         replaceLine(good, 15, QStringLiteral("セット（ボックス）,680口,41100")), 7073,
         QStringLiteral("15行目")},
        {"too many winners to store",
         replaceLine(good, 12, QStringLiteral("ストレート,6916,40000口,1円")), 7073,
         QStringLiteral("範囲")},
        {"fourteen lines", good.section(QStringLiteral("\r\n"), 0, 13) + QStringLiteral("\r\n"),
         7073, QStringLiteral("15行")},
        {"html",
         QStringLiteral("\r\n<!DOCTYPE html>\r\n<html><body>メンテナンス中</body></html>\r\n"),
         7073, QStringLiteral("HTML")},
    };
    for (const auto& c : cases) {
        const download::ResultParse got = download::parseResultFile(c.text, c.requested);
        EXPECT_TRUE(got.error.contains(c.wantInError)) << c.name << ": " << got.error.toStdString();
        EXPECT_EQ(got.draw.drawNo, 0) << c.name;
    }
}

TEST(ShiftJis, DecodesCodePage932AndMarksBadBytes) {
    const QString text = QStringLiteral("第7073回,令和8年,該当なし,153口,82200円,０７～");
    EXPECT_EQ(download::decodeCp932(toShiftJis(text)), text);
    // 0x82 opens a two-byte character that 0x20 cannot close.
    EXPECT_EQ(download::decodeCp932(QByteArray("A\x82 B\x91\xe6", 6)),
              QStringLiteral("A\uFFFD B第"));
}

// Found by the import fuzzer: a count of fifty digits was an undefined conversion.
TEST(FuzzRegression, HugeNumbersSaturateInsteadOfOverflowing) {
    EXPECT_EQ(ui::roundHalfEven(5.5e50), std::numeric_limits<long long>::max());
    EXPECT_EQ(ui::roundHalfEven(-5.5e50), std::numeric_limits<long long>::min());
    EXPECT_EQ(ui::leadingInt(QString(400, u'9')), std::numeric_limits<long long>::max());
    const QByteArray line =
        "1,1994/10/07,1149,," + QByteArray(51, '5') + ",,78500,,510500,,39200,\r\n";
    const auto parsed = download::parseImportCsv(line, QStringLiteral("numbers4_2.csv"));
    EXPECT_TRUE(parsed.error.contains(QStringLiteral("範囲外"))) << parsed.error.toStdString();
    EXPECT_EQ(parsed.records.size(), 0u);
}

} // namespace
