// The prediction and verification areas as a player works them: label buttons clicked and
// pressed, the draw list chosen from, the month panel, the settings labels.
#include "MainWindow.h"
#include "QtHost.h"

#include "support/TestHistory.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using testing_support::Workspace;

using mainwindow::Grd2Col;
using mainwindow::ListCol;
using mainwindow::TallyCol;

namespace {

// The window's host with the clock of the test history's last month.
class FixedClockHost : public gui::QtHost {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 8, 24), QTime(9, 0)); }
};

// The bundled history in a fresh folder, the form loaded and its window shown. Ticks come
// every 5 ms so that a start waits its five ticks in a moment.
struct Session {
    Session() {
        ws.writeHistoryRecords(testing_support::bundledHistory());
        form.Form_Load(false);
        form.Timer1.intervalMs = form.Timer2.intervalMs = 5;
        window.show();
    }
    ~Session() { module.files.CloseAll(); }
    gui::LabelButton* button(const ui::Label& l) { return window.labelButton(l); }
    void click(const ui::Label& l) { QTest::mouseClick(button(l), Qt::LeftButton); }
    void shiftRightPress(const ui::Label& l, Qt::KeyboardModifiers mods = Qt::ShiftModifier) {
        QTest::mousePress(button(l), Qt::RightButton, mods);
        QTest::mouseRelease(button(l), Qt::RightButton, mods);
    }

    Workspace ws;
    FixedClockHost host;
    history::AppModule module;
    mainwindow::MainForm form{host, module};
    gui::MainWindow window{form, host};
};

} // namespace

class StartAreaTest : public QObject {
    Q_OBJECT

private slots:
    // Cycling and the pressed look in full: StartControlsTest. Here a click, a press and a
    // key reach the label.
    void strengthLabelsAnswerClickPressAndKey() {
        Session w;
        auto* single = w.button(w.form.LabYSS);
        w.click(w.form.LabYSS); // 無し -> 弱い
        QCOMPARE(single->text(), s(u"弱い"));
        QTest::mousePress(single, Qt::LeftButton);
        QCOMPARE(single->palette().color(QPalette::Window), QColor(0, 0, 0));
        QTest::mouseRelease(single, Qt::LeftButton);
        QCOMPARE(single->palette().color(QPalette::Window), QColor(35, 35, 35));
        QCOMPARE(single->text(), s(u"普通"));
        // The keyboard reaches the labels: Space on the switch flips it.
        w.form.YosoSSLevel = w.form.YosoDSLevel = 2; // 弱い and 弱い, "ON": the switch may turn
        w.form.YosoOpt = 1;
        auto* sw = w.button(w.form.LabYOP);
        sw->setFocus();
        QTest::keyClick(sw, Qt::Key_Space);
        QCOMPARE(sw->text(), s(u"Off"));
    }

    // The draw chosen from the list, then "ON" with both levels "無し": ③軸数字絞り with
    // sizes 0 keeps every basic candidate that holds an axis digit.
    void predictionStartForAChosenDraw() {
        Session w;
        auto& f = w.form;
        w.click(f.LabCom1);
        QComboBox* list = w.window.drawList();
        QVERIFY(list->isVisible());
        QTest::keyClick(list->view(), Qt::Key_Up);
        QTest::keyClick(list->view(), Qt::Key_Return);
        QCOMPARE(w.button(f.LabCom1)->text(), s(u"7054"));
        QVERIFY(!list->isVisible());

        w.click(f.LabStart);
        QCOMPARE(f.LabKai.caption, s(u"第7054回"));
        QCOMPARE(f.Label2.caption, f.Grd2.text(7054, Grd2Col::WinNumber));
        QVERIFY(f.narrowCountS > 10); // the narrowing itself: OtherNarrowingsTest
        QCOMPARE(w.window.gridView(f.GrdSS2)->model()->index(0, 1).data().toString(),
                 f.GrdSS2.text(1, ListCol::Number));
        // The notice is hidden again, the tick count stays on show.
        const auto labels = w.window.findChildren<QLabel*>();
        auto shownWith = [&](const QString& text) {
            return std::any_of(labels.begin(), labels.end(),
                               [&](QLabel* l) { return l->text() == text && l->isVisible(); });
        };
        QVERIFY(!shownWith(s(u"集計中！")));
        QCOMPARE(f.LabTimer.caption, s(u"5"));
        QVERIFY(shownWith(s(u"5")));
    }

    void verificationTalliesTheMonthOfThePanel() {
        Session w;
        auto& f = w.form;
        w.click(f.LabKmon);
        auto* july = w.window.findChild<QPushButton*>(QStringLiteral("ComDate18"));
        QVERIFY(july && july->isVisible());
        QCOMPARE(july->text(), s(u"2026/07"));
        QTest::mouseClick(july, Qt::LeftButton);
        QVERIFY(!july->isVisible());
        QCOMPARE(w.button(f.LabKmon)->text(), s(u"07"));
        w.click(f.LabKensyo);
        const QAbstractItemModel* tally = w.window.gridView(f.GrdSM)->model();
        QCOMPARE(tally->index(0, 2).data().toString(), s(u"26/07/01"));
    }

    // TT saves the two sizes; only Shift + right press on JJ loads them back, and only a file
    // of the two numbers on one line: anything else leaves the sizes and names the file.
    void settingsFile() {
        Session w;
        auto& f = w.form;
        w.window.manualToggle()->click();
        QList<QComboBox*> sizes;
        for (auto* c : w.window.findChildren<QComboBox*>())
            if (c->isEditable())
                sizes.append(c);
        QCOMPARE(sizes.size(), 2);
        for (auto [combo, text] : {std::pair{sizes[0], "120"}, std::pair{sizes[1], "40"}}) {
            combo->lineEdit()->selectAll();
            QTest::keyClicks(combo->lineEdit(), QString::fromLatin1(text));
        }
        w.click(f.Label9);
        const QString path = w.ws.path(s(u"seteifile.dat"));
        QCOMPARE(testing_support::readFile(path), QByteArray("120,40\r\n"));
        sizes[0]->setCurrentIndex(0);
        sizes[1]->setCurrentIndex(9);
        const QString before0 = f.Combo4[0].text, before1 = f.Combo4[1].text;
        w.shiftRightPress(f.Label10, Qt::NoModifier);
        QTest::mouseClick(w.button(f.Label10), Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(f.Combo4[0].text, before0);
        w.shiftRightPress(f.Label10);
        QCOMPARE(sizes[0]->currentText() + u',' + sizes[1]->currentText(), s(u"120,40"));
        QVERIFY(w.host.answered.empty());

        // Missing, one field, text after a quote, not a number, a second line.
        for (const char* bad :
             {"", "120\r\n", "\"120\"5,40\r\n", "120,4O\r\n", "120,40\r\n7,7\r\n"}) {
            QFile::remove(path);
            if (*bad)
                testing_support::writeFile(path, bad);
            f.Combo4[0].text = before0;
            f.Combo4[1].text = before1;
            w.host.answerNextMessages(1);
            w.shiftRightPress(f.Label10);
            QCOMPARE(w.host.answered.size(), size_t{1});
            QVERIFY(w.host.answered.back().text.contains(s(u"seteifile.dat")));
            QCOMPARE(f.Combo4[0].text + f.Combo4[1].text, before0 + before1);
            w.host.answered.clear();
        }
    }
};

QTEST_MAIN(StartAreaTest)
#include "StartAreaTest.moc"
