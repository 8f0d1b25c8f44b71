#pragma once

#include "HttpClient.h"
#include "Schedule.h"

#include "history/AppModule.h"
#include "ui/Controls.h"
#include "ui/Grid.h"
#include "ui/Host.h"

#include <QDate>

#include <array>
#include <functional>
#include <memory>

namespace mainwindow {
class MainForm;
}

namespace download {

// Where the operator publishes its result files; Label3(0) starts with it.
inline QString operatorBaseAddress() {
    return QStringLiteral("https://www.mizuhobank.co.jp/retail/takarakuji/numbers/csv/");
}

// Columns of the results window's grids: Grd1 (the parsed draw) uses them up to the payouts,
// the history listing Grd2 all of them. Winners and payouts run over the four prize classes.
struct ResultCol {
    enum Col : int {
        No = 0,
        DrawNo = 1,
        Date = 2,        // the eight characters stored
        Number = 3,      // winning number
        Winners = 4,     // winners of the first class; three more follow
        Payout = 8,      // payout of the first class in yen; three more follow
        DigitTable = 12, // the count of digit 0; digits 1 to 9 follow
        HitFlag = 22,
    };
};

// The results window, frmDownL: fetching the operator's result files, appending draws,
// the catch-up, the listing of the history and its regeneration from numbers4_2.csv.
// Every file it names lies in the data folder (files.AppDir).
class DownloadForm {
public:
    DownloadForm(ui::Host& host, history::AppModule& module, mainwindow::MainForm& mainForm);

    // The load of the window: today's date and time, an empty timestamp, the grid headings.
    void Form_Load();

    // ---- fetching -------------------------------------------------------------------------
    // Label2 = seconds since 1970 as the operator's site expects them: every year of 365 days
    // and February of 28, from 2018-01-01 00:00 Japan time. Computed in 64 bits.
    void TSkeisan();
    // The index file into Label3(4); on success the prefix digit into Label3(3) and the
    // latest draw into Label3(6). A failed download or an index file without them shows the
    // message and leaves both labels as they were.
    bool FNoget();
    // The result file of draw Text2 into Label3(5); the old file stays when it fails.
    bool KekkaGet();
    QString indexAddress() const;  // base + "numbers.csv?" + timestamp
    QString resultAddress() const; // base + "A10" + prefix + draw + ".CSV?" + timestamp
    QString resultPath() const;    // the local result file
    // Label3(0) = url, with the "/" the file names are appended after.
    void useBaseAddress(const QString& url);

    // ---- parsing and storing --------------------------------------------------------------
    // Reads the result file at path as draw Text2 into row 1 of Grd1. A file that does not
    // hold that draw empties the row and shows a message naming the draw.
    bool DataPicup(const QString& path);
    // Writes row 1 of Grd1 as its draw's record of number414.dat, under the data folder's
    // lock, behind a history checked whole, synced before it returns. Refuses, with a message
    // and without writing, a damaged history, a draw below 1 or past the latest draw + 1
    // (that would leave a hole), and a date not between its neighbours'.
    bool DataTuika();
    // Label3(7) = the number of records of number414.dat (and the latest one's date kept for
    // the catch-up).
    void SaisinKai();

    // What the history holds around draw drawNo, read without opening it for writing: its
    // record count, the latest draw's date, the date of the stored draw before drawNo (the
    // latest one when drawNo lies beyond it) and of the stored draw after it. Dates are null
    // where there is no such draw.
    struct StoredDates {
        int count = 0;
        QDate latest;
        QDate before;
        QDate after;
    };
    StoredDates storedDates(long long drawNo) const;

    struct CatchUp {
        int appended = 0;     // draws written
        bool complete = true; // false when a step failed (its message was shown)
        bool busy = false;    // another copy of the program held the data folder's lock
    };
    // Fetches and appends every draw after the latest one held, up to the latest one on the
    // site. Stops at the first failure; the draws appended before it stay, and the main
    // window is refreshed whenever anything was appended. Holds the data folder's lock while
    // it fetches and appends, so that two copies never catch up at once.
    CatchUp SaisinKousin();
    // Told after a catch-up that appended draws, with the first and last draw appended (the
    // window tells the results of the tickets bought for them).
    std::function<void(int firstDraw, int lastDraw)> afterAppend;
    // number414.dat changed on disk, perhaps written by another copy of the program (the
    // weekday fetch): when its length differs from what the main window shows, the main window
    // reads it again, and draws that arrived are told through afterAppend. Returns false when
    // it cannot look now (this window's catch-up runs, or another copy holds the lock and is
    // still writing): ask again a little later.
    bool historyChanged();

    // ---- listing and regeneration ---------------------------------------------------------
    // Every record into Grd2, newest first.
    void Command5_Click();
    // Rebuilds number414.dat from the import file named by Label4(0), as the button does.
    bool Command8_Click() { return Command8_Click(Label4[0].caption); }
    // Rebuilds number414.dat from importName (relative to the data folder). The new
    // history is built beside the old one under a unique name, synced, and renamed over it
    // only when every line was read, so a bad import file leaves the old history exactly as
    // it was; then the main window is refreshed. Holds the data folder's lock. Returns
    // whether the history was replaced.
    bool Command8_Click(const QString& importName);
    // The file work of Command8_Click without its closing message and the refresh of the
    // main window (a fault is still shown): also used before the main window is loaded.
    bool rebuildHistory(const QString& importName);

    // ---- the weekday fetch ------------------------------------------------------------------
    // CheckTimer after the state of the weekday fetch; false, with the reason in
    // scheduleProblem, when it cannot be worked on this computer.
    bool readSchedule();
    // A click on CheckTimer: turns the weekday fetch on or off as the box now says, and tells
    // when the next fetch is. A failure is told in a message and the box shows what holds.
    void CheckTimer_Click();

    // ---- buttons ----------------------------------------------------------------------------
    void Command1_Click() { TSkeisan(); } // 計算実行: the timestamp
    void Command2_Click() { FNoget(); }   // Prefix番号取得: the index file
    void Command3_Click() { KekkaGet(); } // 抽選結果取得: the result file of Text2
    void Command4_Click() { DataPicup(resultPath()); } // 取得抽選結果表示: it into Grd1
    void Command6_Click() { SaisinKai(); }             // PC内最新データ回: the records held
    void Command7_Click(); // appends Grd1's draw (DataTuika) and says "追加しました。"
    void Command9_Click() { SaisinKousin(); } // 生成実行: the catch-up

    ui::Host& host;
    history::AppModule& module;
    history::HistoryFiles& files;
    mainwindow::MainForm& mainForm;
    std::unique_ptr<HttpClient> http = std::make_unique<CurlClient>();
    QString lastFailure; // why the last download failed, for the command line
    std::unique_ptr<Schedule> schedule = std::make_unique<Schedule>();
    QString scheduleProblem;

    // ---- controls ---------------------------------------------------------------------------
    std::array<ui::TextBox, 2> Text1; // date yyyy/mm/dd, time hh:mm:ss
    ui::Label Label2;                 // timestamp
    ui::TextBox Text2{QStringLiteral("4907")};
    std::array<ui::Label, 8> Label3{ui::Label{operatorBaseAddress()},
                                    ui::Label{QStringLiteral("numbers.csv?")},
                                    ui::Label{QStringLiteral("A10")},
                                    ui::Label{},
                                    ui::Label{QStringLiteral("prefix.txt")},
                                    ui::Label{QStringLiteral("kekka.txt")},
                                    ui::Label{},
                                    ui::Label{}};
    std::array<ui::Label, 2> Label5; // first and last draw of the catch-up
    ui::Frame Frame1{QStringLiteral("データ取込み")};
    std::array<ui::Label, 2> Label4{ui::Label{QStringLiteral("numbers4_2.csv")},
                                    ui::Label{QStringLiteral("number414.dat")}};
    ui::Button Command1{QStringLiteral("計算実行")};
    ui::Button Command2{QStringLiteral("Prefix番号取得")};
    ui::Button Command3{QStringLiteral("抽選結果取得")};
    ui::Button Command4{QStringLiteral("取得抽選結果表示")};
    ui::Button Command5{QStringLiteral("既存抽選結果表示")};
    ui::Button Command6{QStringLiteral("PC内最新データ回")};
    ui::Button Command7{QStringLiteral("上記データを現在のデータに追加")};
    ui::Button Command8{QStringLiteral("開　始")};
    ui::Button Command9{QStringLiteral("生成実行")};
    ui::CheckBox CheckTimer{QStringLiteral("平日19:30に自動で結果を取得")};
    ui::Grid Grd1{2, 12, 1, 0}; // the parsed draw in row 1
    ui::Grid Grd2{1, 23, 1, 0}; // the history listing
    std::array<int, 13> MonthDays{};

private:
    QString dataFolder() const;
    // The main window after the history changed: draw list, history grid, box tables and the
    // W・S prediction.
    void refreshMainWindow();
    // Downloads url into localPath through the host, so that a window keeps answering and
    // can stop it. Sets lastFailure; returns false only when the user stopped it.
    bool fetch(const QString& url, const QString& localPath, const QString& progress);

    // Which draw of the catch-up is being fetched, for the progress line (0: none).
    long long runStep_ = 0;
    long long runTotal_ = 0;
    QDate latestStoredDate_; // of the latest draw, as SaisinKai found it
    bool catchingUp_ = false;
};

} // namespace download
