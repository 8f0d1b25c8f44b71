// The main window's load sequence (the program's start-up) and its unload.
#include "MainForm.h"

#include "history/DataFolder.h"
#include "ui/Numeric.h"

namespace mainwindow {

MainForm::MainForm(ui::Host& host_, history::AppModule& module_)
    : host(host_), module(module_), files(module_.files) {
    // The history is checked against the same clock the window shows.
    files.today = [&h = host] { return history::japanDate(h.now()); };
    Label14[0].caption = QStringLiteral("予想エリア");
    Label14[1].caption = QStringLiteral("検証エリア");
    Label14[2].caption = QStringLiteral("抽選回数");
    Label14[3].caption = QStringLiteral("ダブル絞り");
    Label14[4].caption = QStringLiteral("シングル絞り");
    Label14[6].caption = QStringLiteral("検証年月");
    Label14[7].caption = QStringLiteral("ダブル絞り");
    Label14[8].caption = QStringLiteral("シングル絞り");
    Label14[11].caption = QStringLiteral("Ｒ７絞り");
    Label14[12].caption = QStringLiteral("Ｒ７絞り");
    Combo1.visible = false;
    Shape1[1].setFill(35, 35, 35);
    Timer1.onTick = [this] { Timer1_Timer(); };
    Timer2.onTick = [this] { Timer2_Timer(); };
    host.watchTimer(Timer1);
    host.watchTimer(Timer2);
    GrdA[0].setVisible(false);
    Grd1.setVisible(false);
    Grd3.setVisible(false);
    GrdR.setVisible(false);
}

MainForm::~MainForm() {
    host.forgetTimer(Timer1);
    host.forgetTimer(Timer2);
}

void MainForm::Form_Load(bool runCatchUp) {
    // 1. The window's placement belongs to the view.
    // 2. Today, as the text year/month/day.
    const QString today = host.now().date().toString(QStringLiteral("yyyy/MM/dd"));
    TodayYear = today.left(4);
    TodayMonth = today.mid(5, 2);
    TodayDay = today.right(2);
    LabKnen.caption = TodayYear;
    LabKmon.caption = TodayMonth;

    // 3. Window values.
    KensyoYear = TodayYear;
    KensyoMonth = TodayMonth;
    YosoSSLevel = YosoDSLevel = KensyoSSLevel = KensyoDSLevel = 3;
    YosoOpt = KensyoOpt = 1;
    WaitTicks = 5;
    TimerCount = 0;

    // 4. to 6.
    module.tables.InitOptionTables();
    sizecells();
    files.GetAppDir();
    files.HistPath = files.appFile(history::historyFileName());
    SetteiPath = files.appFile(QStringLiteral("seteifile.dat"));

    // 7. and 8.
    historyDamaged = false;
    try {
        Grd2Hyoji();
    } catch (const history::DamagedHistory& e) {
        if (stopOnDamagedHistory)
            throw;
        historyDamaged = true;
        host.messageBox(e.message(), QString());
        return;
    }
    if (HistRows == 0)
        return;

    // 9. to 12.
    // How far back Combo1 reaches after the start-up; the catch-up lists further back.
    constexpr int kDrawsListedAtStart = 100;
    fillDrawList(kDrawsListedAtStart);
    Combo3[0].clear();
    Combo3[0].addItem(QString::number(static_cast<int>(ui::leadingInt(TodayYear)) - 1));
    Combo3[0].addItem(TodayYear);
    Combo3[0].text = TodayYear;
    Combo3[1].clear();
    for (int m = 1; m <= 12; ++m)
        Combo3[1].addItem(QString::number(m));
    Combo3[1].text = QString::number(static_cast<int>(ui::leadingInt(TodayMonth)));
    Combo3[2].clear();
    for (int c = 10; c <= 100; c += 10)
        Combo3[2].addItem(QString::number(c));
    Combo3[2].text = QStringLiteral("10");
    for (auto& combo : Combo4) {
        combo.clear();
        for (int s = 20; s <= 200; s += 20)
            combo.addItem(QString::number(s));
        combo.text = QStringLiteral("100");
    }
    fillMonthButtons();

    // 13. and 14.
    chooseVerificationMonth();
    for (auto* label : {&Label2, &Label6, &Label8, &LabDays, &LabKai})
        label->caption.clear();

    // 15. The box tables, then the W・S prediction over the history.
    GrdSWHyoji();
    NewWSset();

    // 16. Prepare the sound control and leave no audio device open.
    MMControl1.notify = false;
    MMControl1.wait = true;
    MMControl1.shareable = false;
    MMControl1.deviceType = QStringLiteral("WaveAudio");
    MMControl1.lastCommand = QStringLiteral("Close");
    host.soundCommand(MMControl1.lastCommand, MMControl1.fileName);

    // 17. Bring the history up to date.
    if (runCatchUp && catchUp)
        catchUp();
}

void MainForm::fillDrawList(int drawsBack) {
    // The history as Grd2Hyoji just read it (the latest record is still in HistRec): opening
    // the file again could find another history put in its place meanwhile.
    const int count = HistRows;
    Combo1.clear();
    // Record n holds draw n (the history is checked when it is opened); a short history
    // starts the list at draw 1.
    for (int n = std::max(1, count - drawsBack); n <= count + 1; ++n)
        Combo1.addItem(QString::number(n));
    Combo1.text = QString::number(count + 1);
    LabCom1.caption = Combo1.text;
}

void MainForm::fillMonthButtons() {
    const int year = static_cast<int>(ui::leadingInt(TodayYear));
    const int month = static_cast<int>(ui::leadingInt(TodayMonth));
    for (int k = 0; k < 12; ++k) {
        ComDate[k].caption = QStringLiteral("%1/%2").arg(year - 1).arg(k + 1, 2, 10, QChar(u'0'));
        ComDate[k].enabled = true;
        ComDate[12 + k].caption = QStringLiteral("%1/%2").arg(year).arg(k + 1, 2, 10, QChar(u'0'));
        ComDate[12 + k].enabled = k + 1 <= month;
    }
}

void MainForm::chooseVerificationMonth() {
    // Today's month when it has a draw, else the latest month before it that has one, so
    // that the verification starts on a month it can tally.
    const QString today = TodayYear + u'/' + TodayMonth;
    for (int r = HistRows; r >= 1; --r) {
        const QString month = Grd2.text(r, Grd2Col::Date).left(7);
        if (month <= today) {
            LabKnen.caption = month.left(4);
            LabKmon.caption = month.mid(5, 2);
            return;
        }
    }
}

namespace {

// The operator draws on weekdays, except over the New Year.
bool isDrawDay(const QDate& d) {
    const bool newYear = (d.month() == 12 && d.day() == 31) || (d.month() == 1 && d.day() <= 3);
    return d.dayOfWeek() <= 5 && !newYear;
}

} // namespace

QString oldHistoryNotice(int latestDraw, const QDate& latestDate, const QDateTime& now) {
    if (latestDraw < 1 || !latestDate.isValid() || !now.isValid())
        return {};
    // Draws are at 18:45 Japan time (UTC+9 all year); their results are out an hour later.
    const QDateTime japan = now.toOffsetFromUtc(9 * 3600);
    const QDate lastOut = japan.time() < QTime(19, 45) ? japan.date().addDays(-1) : japan.date();
    for (QDate d = latestDate.addDays(1); d <= lastOut; d = d.addDays(1))
        if (isDrawDay(d))
            return QStringLiteral(
                       "抽選履歴は第%1回（%2）までです。抽選結果ダウンロードで最新にしてください。")
                .arg(latestDraw)
                .arg(latestDate.toString(QStringLiteral("yyyy/MM/dd")));
    return {};
}

void MainForm::showOldHistory() {
    LabOldHistory.caption =
        HistRows < 1 ? QString()
                     : oldHistoryNotice(HistRows,
                                        QDate::fromString(Grd2.text(HistRows, Grd2Col::Date),
                                                          QStringLiteral("yyyy/MM/dd")),
                                        host.now());
    LabOldHistory.visible = !LabOldHistory.caption.isEmpty();
}

void MainForm::Form_Unload() {
    files.CloseAll();
    MMControl1.lastCommand = QStringLiteral("Close");
    host.soundCommand(MMControl1.lastCommand, MMControl1.fileName);
}

} // namespace mainwindow
