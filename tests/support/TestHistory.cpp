#include "TestHistory.h"

#include "download/ImportCsv.h"
#include "history/DataFolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace testing_support {

history::DrawRecord makeRecord(int drawNo, const Draw& draw) {
    history::DrawRecord r;
    r.DrawNo = drawNo;
    r.DrawDate = history::DrawRecord::fixedText(QString(draw.date).remove(u'/'), 8);
    r.WinNumber = history::DrawRecord::fixedText(draw.number, 4);
    r.Payout[1] = draw.boxPayout;
    return r;
}

QByteArray historyBytes(const std::vector<Draw>& draws) {
    QByteArray bytes;
    for (size_t i = 0; i < draws.size(); ++i)
        bytes += makeRecord(static_cast<int>(i + 1), draws[i]).encode();
    return bytes;
}

std::vector<Draw> weekdayDraws(int count, const QString& firstDate,
                               const std::vector<QString>& numbers) {
    std::vector<Draw> draws;
    QDate date = QDate::fromString(firstDate, QStringLiteral("yyyy/MM/dd"));
    for (int i = 0; i < count; ++i) {
        while (date.dayOfWeek() > 5)
            date = date.addDays(1);
        draws.push_back(
            {numbers[i % numbers.size()], date.toString(QStringLiteral("yyyy/MM/dd")), 10000 + i});
        date = date.addDays(1);
    }
    return draws;
}

QString firstWeekdayEndingOn(int count, QDate lastDate) {
    for (int left = count; left > 0; lastDate = lastDate.addDays(-1))
        if (lastDate.dayOfWeek() <= 5 && --left == 0)
            break;
    return lastDate.toString(QStringLiteral("yyyy/MM/dd"));
}

QString reiwaDate(const QDate& date) {
    return QStringLiteral("令和%1年%2月%3日")
        .arg(date.year() - 2018)
        .arg(date.month())
        .arg(date.day());
}

std::vector<history::DrawRecord> bundledHistory() {
    const auto parsed = download::parseImportCsv(readFile(QStringLiteral(TESSARIN_BUNDLED_CSV)),
                                                 QStringLiteral("numbers4_2.csv"));
    EXPECT_EQ(parsed.error, QString());
    return {parsed.records.rbegin(), parsed.records.rend()};
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

Workspace::Workspace(QDateTime now)
    : host(std::move(now)), previous_(QDir::currentPath()),
      previousChoice_(history::chosenDataFolder()), previousXdg_(qgetenv("XDG_DATA_HOME")) {
    EXPECT_TRUE(dir_.isValid());
    QDir::setCurrent(dir_.path());
    // The workspace is the data folder, even before it holds number414.dat; a test that
    // reaches for the user's data folder finds it inside the workspace too.
    history::chooseDataFolder(dir_.path());
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("user-data"))));
    form = std::make_unique<mainwindow::MainForm>(host, module);
}

Workspace::~Workspace() {
    module.files.CloseAll();
    QDir::setCurrent(previous_);
    history::chooseDataFolder(previousChoice_);
    if (previousXdg_.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", previousXdg_);
}

void Workspace::writeHistory(const std::vector<Draw>& draws) {
    writeFile(path(QStringLiteral("number414.dat")), historyBytes(draws));
}

void Workspace::writeHistoryRecords(const std::vector<history::DrawRecord>& records) {
    QByteArray bytes;
    for (const auto& r : records)
        bytes += r.encode();
    writeFile(path(QStringLiteral("number414.dat")), bytes);
}

::testing::AssertionResult told(const ui::RecordingHost& host, const QString& part) {
    QStringList texts;
    for (const auto& m : host.messages)
        texts << m.text;
    if (part.isNull() ? texts.isEmpty() : texts.size() == 1 && texts[0].contains(part))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "shown: " << texts.join(u" / ").toStdString();
}

QStringList gridRows(const ui::Grid& grid, int from, int to, int cols) {
    QStringList rows;
    to = to < 0 ? grid.rows() - 1 : to;
    cols = cols < 0 ? grid.cols() : cols;
    for (int r = from; r <= to; ++r) {
        QStringList cells;
        for (int c = 0; c < cols; ++c)
            cells << grid.text(r, c);
        rows << cells.join(u'|');
    }
    return rows;
}

mainwindow::MainForm& Workspace::load() {
    form->Form_Load(false);
    return *form;
}

} // namespace testing_support
