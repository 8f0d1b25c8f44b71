#pragma once

#include "Bindings.h"
#include "GridView.h"
#include "LabelButton.h"
#include "QtHost.h"

#include "mainwindow/MainForm.h"
#include "ui/Controls.h"

#include <QMainWindow>

#include <functional>
#include <vector>

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QMenu;
class QTabWidget;
class QToolButton;
class QVBoxLayout;

namespace gui {

// The main window's view: it shows the form's controls and forwards the user's actions to
// the form's handlers, refreshing after each. No logic lives here.
//
// Left: the prediction area and the verification area. Middle: the history. Right: the
// manual operations (folded away at first), then the results panel Frame3, the tally and
// the payout panel Frame4.
class MainWindow : public QMainWindow {
public:
    MainWindow(mainwindow::MainForm& form, QtHost& host, QWidget* parent = nullptr);

    // Brings every widget up to date with the form's controls.
    void refresh();
    // Runs a handler of the form, reports a file error, and refreshes. While a start waits
    // or works, user input other than closing the window is ignored.
    void run(const std::function<void()>& handler);

    GridView* gridView(const ui::Grid& grid) const { return bind_.gridView(grid); }
    QTabWidget* tabs() const { return tabs_; }
    // The label button showing a label of the form (nullptr if none).
    LabelButton* labelButton(const ui::Label& label) const;
    QComboBox* drawList() const { return drawList_; }
    QToolButton* manualToggle() const { return manualToggle_; }
    // The line under the tally: 購入額, 配当, 収支 and 回収率 of the narrowed lists, then the
    // chance line; and the figures of the what-if shown. Hidden while there is nothing to show.
    QLabel* tallyMoney() const { return tallyMoney_; }
    QLabel* whatIfMoney() const { return whatIfMoney_; }
    // The menu of the button "抽選結果ダウンロード", empty until the program fills it.
    QMenu* resultsMenu() const { return resultsMenu_; }

    // Empty places kept for the exports and the window capture: the prediction-sheet export
    // (Image3, results panel), the tally-sheet export (Image4, payout panel) and the capture
    // buttons (PicCame). Each is shown while its control is visible.
    QWidget* image3Slot() const { return image3Slot_; }
    QWidget* image4Slot() const { return image4Slot_; }
    QWidget* cameraSlot() const { return cameraSlot_; }

    // Placement of the start-up: centred, slightly above the middle of the screen.
    void place();

    // Shows the results window; run by the button "抽選結果ダウンロード".
    std::function<void()> showResultsWindow;
    // Opens the card-printing transfer window; run by the picture Picture4.
    std::function<void()> openCardTransfer;
    // Opens the 購入記録 window; run by the button beside 申込みカード印刷.
    std::function<void()> openLedger;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    LabelButton* labelButton(const ui::Label& label, std::function<void()> click, QWidget* parent);
    // A small grey label that only answers Shift + right press (or a double click).
    LabelButton* hiddenSwitch(const ui::Label* label, std::function<void(int, int)> press,
                              QWidget* parent);
    QWidget* buildTitleBar();
    QWidget* buildAreas();
    QWidget* buildPredictionArea();
    QWidget* buildVerificationArea();
    // The frame of the prediction (0) or verification (1) area with its heading Label14(head),
    // which shows that area's results; the grid's parent widget is the frame.
    QGridLayout* areaGrid(int head, const QString& tip);
    // The row under an area's heading: the caption Label14(head) and the chooser beside it.
    QHBoxLayout* chooserRow(QGridLayout* grid, int head);
    // The level switches of the prediction (0) or verification (1) area, one a row from
    // `row`, and the area's start button under them.
    void addLevelsAndStart(QGridLayout* grid, int row, int area);
    QWidget* buildManualPanel();
    QWidget* buildResultsPanel();
    QWidget* buildTallyPanel();
    QWidget* buildHistoryPanel();
    QWidget* buildBoxTablesTab();
    void placeFrame2();
    void refreshMoney();
    // The pictures that act as buttons: the exports (Image3, Image4), the camera (PicCame),
    // the guide (Image1) and the card printing (Picture4), each in its place.
    void addPictures();
    QPushButton* picture(const QString& text, const QString& tip, std::function<void()> click);
    // An empty row without margins that a picture goes in later.
    static QWidget* pictureSlot(const QString& name);
    // Registers a widget refresh() shows while `shown` holds; returns the widget.
    QWidget* showWhile(QWidget* widget, std::function<bool()> shown);

    mainwindow::MainForm& form_;
    QtHost& host_;
    QTabWidget* tabs_ = nullptr;
    QComboBox* drawList_ = nullptr;
    QWidget* manualPanel_ = nullptr;
    QToolButton* manualToggle_ = nullptr;
    QMenu* resultsMenu_ = nullptr;
    QLabel* tallyMoney_ = nullptr;
    QLabel* tallyChance_ = nullptr;
    QLabel* whatIfMoney_ = nullptr;
    // Frame2, which Image2(0) moves above or below the digit table in its column.
    struct {
        QVBoxLayout* column = nullptr;
        QWidget* box = nullptr;
        int top = -1;
    } frame2_;
    QWidget* image3Slot_ = nullptr;
    QWidget* image4Slot_ = nullptr;
    QWidget* cameraSlot_ = nullptr;
    QPushButton* cameraPressed_ = nullptr;
    QWidget* titlePictures_ = nullptr; // Picture4 and Image1 in the title bar
    int analysisTab_ = -1;             // the tab of GrdA(0)
    int appliedWindowState_ = 0;
    bool unloaded_ = false;
    std::vector<std::pair<LabelButton*, const ui::Label*>> labelButtons_;
    // The panels and picture slots shown while their flag in the form is set.
    std::vector<std::pair<QWidget*, std::function<bool()>>> shownWhile_;
    Bindings bind_;
};

} // namespace gui
