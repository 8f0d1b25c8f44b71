// Reading a result file into Grd1, storing it, and the catch-up that chains the fetching
// steps with them; the history listing.
#include "DownloadForm.h"
#include "ResultFile.h"
#include "ShiftJis.h"

#include "history/DataFolder.h"
#include "history/FolderLock.h"
#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace download {

bool DownloadForm::DataPicup(const QString& path) {
    files.CloseAll();
    const long long requested = ui::leadingInt(Text2.text);
    for (int c = 1; c < Grd1.cols(); ++c)
        Grd1.setText(1, c, QString());

    QFile file(path);
    ResultParse parsed;
    if (file.open(QIODevice::ReadOnly))
        parsed = parseResultFile(decodeCp932(file.readAll()), requested);
    else
        parsed.error = QStringLiteral("ファイルを開けません（%1）。").arg(file.errorString());
    if (!parsed.error.isEmpty()) {
        host.messageBox(QStringLiteral("第%1回の抽選結果（%2）を読み取れません。\n%3\n"
                                       "抽選履歴には何も追加していません。")
                            .arg(requested)
                            .arg(QFileInfo(path).fileName(), parsed.error));
        return false;
    }

    // A well-formed file can still carry a date that cannot be this draw's (a mistyped era
    // year, a file from the future): it must fit between the stored draws around it.
    const StoredDates stored = storedDates(requested);
    const QString wrongDate =
        drawDateRefusal(parsed.draw, stored.before, stored.after, japanDate(host.now()));
    if (!wrongDate.isEmpty()) {
        host.messageBox(QStringLiteral("第%1回の抽選結果（%2）は受け付けられません。\n%3\n"
                                       "抽選履歴には何も追加していません。")
                            .arg(requested)
                            .arg(QFileInfo(path).fileName(), wrongDate));
        return false;
    }

    const ParsedDraw& d = parsed.draw;
    Grd1.setText(1, ResultCol::DrawNo, QString::number(d.drawNo));
    Grd1.setText(1, ResultCol::Date, d.date);
    Grd1.setText(1, ResultCol::Number, d.number);
    for (int k = 0; k < 4; ++k) {
        Grd1.setText(1, ResultCol::Winners + k, QString::number(d.winners[k]));
        Grd1.setText(1, ResultCol::Payout + k, QString::number(d.payout[k]));
    }
    return true;
}

bool DownloadForm::DataTuika() {
    files.HistPath = files.appFile(Label4[1].caption);
    const long long drawNo = ui::leadingInt(Grd1.text(1, ResultCol::DrawNo));
    try {
        // Under the folder's lock, and only behind a sound history: a torn or damaged record
        // must never get a draw appended behind it.
        const auto session = files.OpenNumberFile(history::Access::Write);
        files.checkHistory();
        const int latest = files.HistCount;
        // Only the draw after the latest one is appended: a stored draw is never replaced.
        const QString refusal =
            drawNo == 0
                ? QStringLiteral("追加する抽選結果がありません。先に抽選結果を表示してください。")
                : appendRefusal(drawNo, latest);
        if (!refusal.isEmpty()) {
            host.messageBox(refusal);
            return false;
        }

        history::DrawRecord& rec = files.HistRec;
        rec = history::DrawRecord{};
        rec.DrawNo = static_cast<int32_t>(drawNo);
        rec.DrawDate = history::DrawRecord::fixedText(Grd1.text(1, ResultCol::Date), 8);
        rec.WinNumber = history::DrawRecord::fixedText(Grd1.text(1, ResultCol::Number), 4);
        for (int k = 0; k < 4; ++k) {
            rec.Winners[k] =
                static_cast<int16_t>(ui::leadingInt(Grd1.text(1, ResultCol::Winners + k)));
            rec.Payout[k] =
                static_cast<int32_t>(ui::leadingInt(Grd1.text(1, ResultCol::Payout + k)));
        }
        files.writeHist(static_cast<int>(drawNo));
    } catch (const history::FileError& e) {
        host.messageBox(e.message());
        return false;
    }
    return true;
}

void DownloadForm::Command7_Click() {
    if (DataTuika())
        host.messageBox(QStringLiteral("追加しました。"), QStringLiteral("データ追加"));
}

void DownloadForm::SaisinKai() {
    files.HistPath = files.appFile(history::historyFileName());
    const auto session = files.OpenNumberFile();
    Label3[7].caption = QString::number(files.HistCount);
    // Read through the same open as the count, so that the two belong to one history.
    latestStoredDate_ = files.HistCount > 0
                            ? QDate::fromString(files.peekHist(files.HistCount).dateText(),
                                                QStringLiteral("yyyyMMdd"))
                            : QDate();
}

DownloadForm::CatchUp DownloadForm::SaisinKousin() {
    CatchUp result;
    catchingUp_ = true;
    const struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{catchingUp_};
    // One catch-up at a time in the data folder: another copy of the program (the weekday
    // fetch) would fetch the same draws and overwrite prefix.txt and kekka.txt under this one.
    std::optional<history::FolderLock> lock;
    try {
        lock.emplace(dataFolder(), files.lockWaitMs);
        TSkeisan();
        if (!FNoget()) {
            result.complete = false;
            return result;
        }
        SaisinKai();
        Label5[0].caption = QString::number(ui::leadingInt(Label3[7].caption) + 1);
        // The index file is believed only as far as one draw a weekday since the latest
        // stored draw allows, so a wrong latest draw cannot start a long run of appends.
        Label5[1].caption = QString::number(
            believableLatest(ui::leadingInt(Label3[6].caption), ui::leadingInt(Label3[7].caption),
                             latestStoredDate_, japanDate(host.now())));
        const long long first = ui::leadingInt(Label5[0].caption);
        const long long last = ui::leadingInt(Label5[1].caption);
        if (last < first)
            return result;

        // The first failure ends the run: a later draw appended after a missing one would
        // leave a hole, and a stale kekka.txt must never be stored as the next draw.
        for (long long i = first; i <= last; ++i) {
            // Plain digits: the same four characters for draws 1000 to 9999, and no blank in
            // the address below draw 1000 nor a cut digit from draw 10000 on.
            Text2.text = QString::number(i);
            runStep_ = i - first + 1;
            runTotal_ = last - first + 1;
            const bool fetched = KekkaGet();
            runTotal_ = 0;
            if (!fetched || !DataPicup(resultPath()) || !DataTuika()) {
                result.complete = false;
                break;
            }
            ++result.appended;
        }
        lock.reset(); // no other copy waits while this one's message is read
        if (result.complete)
            host.messageBox(QStringLiteral("最新データ取得完了"));
        if (result.appended > 0) {
            refreshMainWindow();
            if (afterAppend)
                afterAppend(static_cast<int>(first), static_cast<int>(first) + result.appended - 1);
        }
    } catch (const history::FileError& e) {
        files.CloseAll();
        lock.reset();
        result.busy = dynamic_cast<const history::LockBusy*>(&e) != nullptr;
        host.messageBox(e.message());
        result.complete = false;
    }
    return result;
}

bool DownloadForm::historyChanged() {
    if (catchingUp_)
        return false; // this window's own appends; the catch-up refreshes when it ends
    const int before = mainForm.HistRows;
    int after = 0;
    try {
        // A writer holds the lock until its record is whole and synced; the window must not
        // wait for it.
        const history::FolderLock lock(dataFolder(), 0);
        files.HistPath = files.appFile(Label4[1].caption);
        {
            const auto session = files.OpenNumberFile();
            after = files.HistCount;
        }
        if (after == before)
            return true;
        refreshMainWindow();
    } catch (const history::LockBusy&) {
        return false;
    }
    if (after > before && before > 0 && afterAppend)
        afterAppend(before + 1, after);
    return true;
}

QString DownloadForm::dataFolder() const {
    return QFileInfo(files.appFile(Label4[1].caption)).absolutePath();
}

void DownloadForm::refreshMainWindow() {
    // How far back Combo1 reaches after a catch-up: further than after the start-up.
    constexpr int kDrawsListedAfterCatchUp = 350;
    mainForm.Grd2Hyoji();
    mainForm.fillDrawList(kDrawsListedAfterCatchUp);
    mainForm.GrdSWHyoji();
    mainForm.NewWSset();
}

void DownloadForm::Command5_Click() {
    files.HistPath = files.appFile(history::historyFileName());
    const auto session = files.OpenNumberFile();
    files.checkHistory(); // the whole file is read anyway
    const int count = files.HistCount;
    Grd2.setRows(count + 1);
    int row = 0;
    for (int i = count; i >= 1; --i) {
        files.readHist(i);
        const history::DrawRecord& rec = files.HistRec;
        ++row;
        Grd2.setText(row, ResultCol::No, QString::number(i));
        Grd2.setText(row, ResultCol::DrawNo, QString::number(rec.DrawNo));
        Grd2.setText(row, ResultCol::Date, rec.dateText());
        Grd2.setText(row, ResultCol::Number, rec.numberText());
        for (int k = 0; k < 4; ++k) {
            Grd2.setText(row, ResultCol::Winners + k, QString::number(rec.Winners[k]));
            Grd2.setText(row, ResultCol::Payout + k, QString::number(rec.Payout[k]));
        }
        for (int digit = 0; digit <= 9; ++digit)
            Grd2.setText(row, ResultCol::DigitTable + digit,
                         QString::number(rec.DigitTable[digit]));
        Grd2.setText(row, ResultCol::HitFlag, QString::number(rec.HitFlag));
    }
}

} // namespace download
