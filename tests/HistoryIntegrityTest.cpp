// The history file: the record layout and count, reads and writes by record number; and a
// damaged, locked or read-only history: what every reader and writer does with it.
#include "support/CliRun.h"
#include "support/LoopbackServer.h"
#include "support/Rows.h"
#include "support/TestHistory.h"

#include "Cli.h"
#include "download/DownloadForm.h"
#include "history/FolderLock.h"
#include "history/HistoryFiles.h"
#include "simulate/SimulationTally.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

#include <unistd.h>

using history::DrawRecord;
using history::HistoryFiles;
using namespace testing_support;

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
    const QByteArray threeDraws = historyBytes({{s(u"0123"), s(u"2021/02/01")},
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
        files.HistRec = makeRecord(3, {s(u"7777"), s(u"2021/02/03")});
        files.writeHist(3);
    }
    EXPECT_EQ(QFileInfo(path).size(), 3 * 128);
    {
        const auto session = files.OpenNumberFile(history::Access::Write);
        EXPECT_EQ(files.HistCount, 3);
        files.HistRec = makeRecord(2, {s(u"1111"), s(u"2021/02/02")});
        files.writeHist(2);
        // A record that does not fit between its neighbours is not written.
        files.HistRec = makeRecord(2, {s(u"2222"), s(u"2021/02/04")});
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

namespace {

constexpr int kDraws = 60;

std::vector<Draw> sixtyDraws() {
    return weekdayDraws(kDraws, s(u"2021/01/04"), {s(u"1234"), s(u"5567"), s(u"0918")});
}

// Record n (1-based) of a history image replaced by the given bytes.
QByteArray withRecord(QByteArray bytes, int n, const QByteArray& record) {
    bytes.replace((n - 1) * 128, 128, record.leftJustified(128, '\0', true));
    return bytes;
}

QByteArray recordWith(int n, const char* date, const char* number) {
    return makeRecord(n, {number, date}).encode();
}

struct Damage {
    const char* name;
    QByteArray bytes;
    int record; // the record the message names
};

std::vector<Damage> damages() {
    const QByteArray good = historyBytes(sixtyDraws());
    return {
        {"torn last record", good.left(59 * 128 + 100), 60},
        {"zeroed last record", withRecord(good, 60, QByteArray(128, '\0')), 60},
        {"draw number not the record", withRecord(good, 30, recordWith(31, "20210212", "1234")),
         30},
        {"date before the previous one", withRecord(good, 50, recordWith(50, "20210104", "1234")),
         50},
        {"date that does not exist", withRecord(good, 20, recordWith(20, "20210230", "1234")), 20},
        {"date after today", withRecord(good, 60, recordWith(60, "20991231", "1234")), 60},
        // Record 31 fits between its neighbours, record 30 (dated in December) does not.
        {"date later than the next ones", withRecord(good, 30, recordWith(30, "20211201", "1234")),
         30},
        {"number not four digits", withRecord(good, 10, recordWith(10, "20210115", "12 4")), 10},
    };
}

QString recordNamed(int n) {
    return s(u"第%1回の記録").arg(n);
}

class DamagedFile : public testing::TestWithParam<Damage> {};

} // namespace

INSTANTIATE_TEST_SUITE_P(DamagedHistory, DamagedFile, testing::ValuesIn(damages()), RowName);

TEST_P(DamagedFile, IsReportedAndNeitherAppendedToNorCaughtUp) {
    const Damage& d = GetParam();
    Workspace ws;
    writeFile(ws.path(s(u"number414.dat")), d.bytes);
    bool caughtUp = false;
    ws.form->catchUp = [&] { caughtUp = true; };
    ws.form->Form_Load(true);
    EXPECT_FALSE(caughtUp);
    EXPECT_TRUE(ws.form->historyDamaged);
    EXPECT_EQ(ws.form->HistRows, 0);
    EXPECT_EQ(ws.form->Grd2.rows(), 2);
    ASSERT_TRUE(told(ws.host, recordNamed(d.record)));
    EXPECT_TRUE(ws.host.messages[0].text.contains(s(u"「開　始」")));

    // The next draw typed in by hand is refused before anything is written.
    download::DownloadForm dl(ws.host, ws.module, *ws.form);
    dl.Form_Load();
    for (int c = 1; c <= 11; ++c)
        dl.Grd1.setText(1, c, c == 2 ? s(u"20210401") : c == 1 ? s(u"61") : s(u"1234"));
    EXPECT_FALSE(dl.DataTuika());
    EXPECT_TRUE(ws.host.messages.back().text.contains(recordNamed(d.record)));

    // The command line exits with 1, naming the record and the way out.
    for (const char16_t* command : {u"summary", u"history", u"predict", u"back100"}) {
        const CliRun r = runCli({s(command)});
        EXPECT_EQ(r.code, 1) << s(command).toStdString();
        EXPECT_TRUE(r.err.contains(recordNamed(d.record))) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(s(u"tessarin-cli import")));
    }
    EXPECT_EQ(readFile(ws.path(s(u"number414.dat"))), d.bytes);
}

// The whole file is checked at start-up, and the tally replays the history held in memory
// from then on; a fault raised in the middle of it still leaves the lists shown.
TEST(DamagedHistory, FaultInTheMiddleOfTheTallyLeavesTheListsShown) {
    Workspace ws;
    ws.writeHistory(sixtyDraws());
    auto& f = ws.load();
    f.Option1.selected = 0;
    f.Combo1.text = s(u"61");
    f.Combo3[2].text = s(u"10");
    simulate::TallyChain chain = simulate::windowChain(f);
    chain.Jyuni = [&f] {
        if (f.Combo1.text == s(u"55"))
            throw history::DamagedHistory(45, s(u"damaged"));
        f.Jyuni();
    };
    try {
        simulate::runTally(f, chain);
        FAIL() << "the fault did not reach the caller";
    } catch (const history::DamagedHistory& e) {
        EXPECT_EQ(e.record(), 45);
    }
    for (const ui::Grid* g : {&f.GrdA[0], &f.Grd1a, &f.GrdSS, &f.GrdWW, &f.GrdSS2, &f.GrdWW2})
        EXPECT_TRUE(g->visible());
    EXPECT_FALSE(f.files.isHistOpen());
}

TEST(HistoryLock, SecondWriterIsRefusedAndNothingChanges) {
    Workspace ws;
    ws.writeHistory(sixtyDraws());
    writeFile(ws.path(s(u"numbers4_2.csv")), "1,2021/01/04,1234,,1,,2,,3,,4,\r\n");
    ws.load();
    ws.module.files.lockWaitMs = 200;
    download::DownloadForm dl(ws.host, ws.module, *ws.form);
    dl.Form_Load();
    const QByteArray before = readFile(ws.path(s(u"number414.dat")));
    // Another copy's lock: a live process holds the lock file, and not through this thread.
    QLockFile other(history::FolderLock::lockPath(ws.path(s(u"."))));
    ASSERT_TRUE(other.tryLock());
    for (int c = 1; c <= 11; ++c)
        dl.Grd1.setText(1, c, c == 2 ? s(u"20210401") : c == 1 ? s(u"61") : s(u"1234"));
    ws.host.messages.clear();
    EXPECT_FALSE(dl.DataTuika());
    EXPECT_FALSE(dl.Command8_Click());
    ASSERT_EQ(ws.host.messages.size(), 2u);
    for (const auto& m : ws.host.messages)
        EXPECT_EQ(m.text, s(u"別の Tessarin が履歴を更新中です。"));
    EXPECT_EQ(readFile(ws.path(s(u"number414.dat"))), before);
}

// Readers open read-only and never take the lock: with the lock held by another copy and
// the file and folder read-only, every reading command works and leaves no trace.
TEST(ReadOnlyHistory, EveryReadingCommandReadsIt) {
    Workspace ws;
    ws.writeHistory(sixtyDraws());
    const QString dat = ws.path(s(u"number414.dat"));
    const QByteArray before = readFile(dat);
    // Another copy's lock: a live process holds the lock file, and not through this thread.
    QLockFile other(history::FolderLock::lockPath(ws.path(s(u"."))));
    ASSERT_TRUE(other.tryLock());
    QFile::setPermissions(dat, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile::setPermissions(ws.path(s(u".")), QFile::ReadOwner | QFile::ExeOwner);
    const QStringList commands[] = {{s(u"summary")},
                                    {s(u"history"), s(u"--last"), s(u"3")},
                                    {s(u"predict")},
                                    {s(u"verify"), s(u"--count"), s(u"5")},
                                    {s(u"back100")}};
    for (const QStringList& args : commands) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.code, 0) << args.join(u' ').toStdString() << r.err.toStdString();
    }
    QFile::setPermissions(ws.path(s(u".")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(readFile(dat), before);
    EXPECT_EQ(QDir(ws.path(s(u"."))).entryList(QDir::Files | QDir::Hidden).size(), 2); // + lock
}

// Another copy replaces the history (an import of draws 1 to 600) and appends to it (an
// update fetching the next four), again and again, while predict --json reads it: every
// answer is the one of a whole history of 600 to 604 draws.
TEST(HistoryRace, ReadersAnswerForOneWholeHistoryWhileImportsAndUpdatesWrite) {
    constexpr int kReads = 300, kBase = 600;
    const auto bundled = bundledHistory();
    Workspace ws;
    const QList<QByteArray> lines = readFile(TESSARIN_BUNDLED_CSV).split('\n'); // newest first
    writeFile(ws.path(s(u"a.csv")), lines.mid(lines.size() - kBase - 1).join('\n'));
    LoopbackServer server;
    server.serve(s(u"/numbers.csv"), indexFile(0, {kBase + 4}));
    QSet<QString> answers; // of each whole history
    for (int count = kBase; count <= kBase + 4; ++count) {
        ws.writeHistoryRecords({bundled.begin(), bundled.begin() + count});
        answers.insert(runCli({s(u"predict"), s(u"--json")}).out);
        const QDate date = QDate::fromString(bundled[count].dateText(), s(u"yyyyMMdd"));
        server.serve(s(u"/A100%1.CSV").arg(count + 1),
                     resultFile(count + 1,
                                date.toString(s(u"平成%1年M月d日")).arg(date.year() - 1988),
                                bundled[count].numberText()));
    }
    ASSERT_EQ(answers.size(), 5);

    QProcess writer;
    int writes = 0;
    const auto write = [&] {
        writer.start(s(u"" TESSARIN_CLI),
                     writes++ % 2 == 0 ? QStringList{"import", "a.csv"}
                                       : QStringList{"update", "--results-url", server.baseUrl()});
    };
    write();
    QSet<QString> seen;
    for (int read = 0; read < kReads; ++read) {
        const CliRun r = runCli({s(u"predict"), s(u"--json")});
        ASSERT_TRUE(r.code == 0 && answers.contains(r.out)) << read << ": " << r.err.toStdString();
        seen.insert(r.out);
        if (writer.waitForFinished(0)) {
            ASSERT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
            write();
        }
    }
    ASSERT_TRUE(writer.waitForFinished(30000));
    EXPECT_GE(writes, 4);
    EXPECT_GE(seen.size(), 2) << "the writers never changed what was read";
}
