// The history file: record layout, record count, reads and writes by record number.
#include "support/TestHistory.h"

#include "history/HistoryFiles.h"

#include <gtest/gtest.h>

using history::DrawRecord;
using history::HistoryFiles;
using testing_support::readFile;
using testing_support::Workspace;
using testing_support::writeFile;

namespace {

DrawRecord sampleRecord() {
    DrawRecord r;
    r.DrawNo = 4907;
    r.DrawDate = DrawRecord::fixedText(s(u"20210203"), 8);
    r.WinNumber = DrawRecord::fixedText(s(u"0012"), 4);
    r.Winners = {3, 258, -2, 0};
    r.Payout = {1234567, 65536, 0, -1};
    r.DigitTable[9] = 0x0102;
    r.HitFlag = 7;
    return r;
}

// The same record written out byte by byte.
QByteArray sampleBytes() {
    QByteArray b;
    b += QByteArray::fromHex("2b130000");         // 4907
    b += "20210203";                              // DrawDate
    b += "0012";                                  // WinNumber
    b += QByteArray::fromHex("03000201feff0000"); // Winners 3, 258, -2, 0
    b += QByteArray::fromHex("87d61200"
                             "00000100"
                             "00000000"
                             "ffffffff"); // Payout
    b += QByteArray(18, '\0');            // DigitTable 0..8
    b += QByteArray::fromHex("0201");     // DigitTable 9
    b += QByteArray::fromHex("0700");     // HitFlag
    b += QByteArray(66, ' ');             // Filler
    return b;
}

} // namespace

TEST(DrawRecordTest, EveryFieldLittleEndianAtItsOffsetBothWays) {
    EXPECT_EQ(sampleRecord().encode().toHex().toStdString(), sampleBytes().toHex().toStdString());
    const DrawRecord r = DrawRecord::decode(sampleBytes());
    EXPECT_EQ(r, sampleRecord());
    EXPECT_EQ(r.numberText().left(1), s(u"0")); // thousands digit of 0012
    EXPECT_EQ(r.slashedDate(), s(u"2021/02/03"));
}

TEST(RecordCountTest, LengthOver128RoundedHalfToEven) {
    const std::pair<qint64, int> cases[] = {{64, 0}, {65, 1}, {2 * 128 + 64, 2}, {3 * 128 + 64, 4}};
    for (const auto& [length, count] : cases)
        EXPECT_EQ(history::recordCount(length), count) << "length " << length;
}

class HistoryFilesTest : public ::testing::Test {
protected:
    Workspace ws;
    HistoryFiles& files = ws.module.files;
    QString path = ws.path(s(u"number414.dat"));
    const QByteArray threeDraws = testing_support::historyBytes({{s(u"0123"), s(u"2021/02/01")},
                                                                 {s(u"4567"), s(u"2021/02/02")},
                                                                 {s(u"8901"), s(u"2021/02/03")}});

    void SetUp() override { files.HistPath = path; }
};

TEST_F(HistoryFilesTest, ReadsRecordNAtItsOffsetAndRefusesNumbersOutsideTheFile) {
    writeFile(path, threeDraws);
    {
        const auto session = files.OpenNumberFile();
        EXPECT_EQ(files.HistCount, 3);
        files.readHist(3);
        EXPECT_EQ(files.HistRec.DrawNo, 3);
        EXPECT_EQ(files.HistRec.numberText(), s(u"8901"));
        files.readHist(1);
        EXPECT_EQ(files.HistRec.dateText(), s(u"20210201"));
        EXPECT_THROW(files.readHist(4), history::FileError);
        EXPECT_THROW(files.readHist(0), history::FileError);
        EXPECT_THROW(files.writeHist(1), history::FileError); // not opened for writing
    }
    EXPECT_FALSE(files.isHistOpen());
    const auto session = files.OpenNumberFile(history::Access::Write);
    EXPECT_THROW(files.writeHist(0), history::FileError);
    EXPECT_EQ(readFile(path), threeDraws);
}

TEST_F(HistoryFilesTest, AppendGrowsTheFileAndRewriteReplacesInPlace) {
    writeFile(path, threeDraws.left(2 * 128));
    {
        const auto session = files.OpenNumberFile(history::Access::Write);
        files.HistRec = testing_support::makeRecord(3, {s(u"7777"), s(u"2021/02/03")});
        files.writeHist(3);
    }
    EXPECT_EQ(QFileInfo(path).size(), 3 * 128);
    {
        const auto session = files.OpenNumberFile(history::Access::Write);
        EXPECT_EQ(files.HistCount, 3);
        files.HistRec = testing_support::makeRecord(2, {s(u"1111"), s(u"2021/02/02")});
        files.writeHist(2);
        // A record that does not fit between its neighbours is not written.
        files.HistRec = testing_support::makeRecord(2, {s(u"2222"), s(u"2021/02/04")});
        EXPECT_THROW(files.writeHist(2), history::FileError);
        files.HistRec.DrawNo = 5;
        EXPECT_THROW(files.writeHist(5), history::FileError); // a hole
    }
    const QByteArray bytes = readFile(path);
    EXPECT_EQ(bytes.size(), 3 * 128);
    EXPECT_EQ(bytes.mid(128 + 12, 4), QByteArray("1111"));
    EXPECT_EQ(bytes.mid(256 + 12, 4), QByteArray("7777"));
    EXPECT_EQ(bytes.mid(128 + 62, 66), QByteArray(66, ' '));
}

TEST_F(HistoryFilesTest, TornLastRecordIsNeverARecord) {
    for (const int tail : {64, 100}) { // rounded down and up by the record count
        writeFile(path, threeDraws.left(2 * 128 + tail));
        for (const auto access : {history::Access::Read, history::Access::Write}) {
            try {
                const auto session = files.OpenNumberFile(access);
                ADD_FAILURE() << "opened with a torn tail of " << tail;
            } catch (const history::DamagedHistory& e) {
                EXPECT_EQ(e.record(), 3);
            }
            EXPECT_FALSE(files.isHistOpen());
        }
    }
}
