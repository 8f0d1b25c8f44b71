#pragma once

#include "GridView.h"
#include "QtHost.h"

#include "mainwindow/MainForm.h"
#include "ui/Controls.h"

#include <QMainWindow>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QCheckBox;
class QTabWidget;
class QFrame;
class QGroupBox;
class QGridLayout;
class QRadioButton;
class QLayout;

namespace gui {

// The main window's view: it shows the form's controls and forwards the user's actions to
// the form's handlers, refreshing after each. No logic lives here.
class MainWindow : public QMainWindow {
public:
    MainWindow(mainwindow::MainForm& form, QtHost& host, QWidget* parent = nullptr);

    // Brings every widget up to date with the form's controls.
    void refresh();
    // Runs a handler of the form, reports a file error, and refreshes.
    void run(const std::function<void()>& handler);

    GridView* gridView(const ui::Grid& grid) const;
    QTabWidget* tabs() const { return tabs_; }

    // Placement of the start-up: centred, slightly above the middle of the screen.
    void place();

    // Shows the results window; run by the button "抽選結果ダウンロード".
    std::function<void()> showResultsWindow;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* label(const ui::Label& control, QWidget* parent = nullptr);
    QPushButton* button(ui::Button& control, std::function<void()> handler,
                        QWidget* parent = nullptr);
    QCheckBox* checkBox(ui::CheckBox& control, QWidget* parent = nullptr);
    QComboBox* comboBox(ui::ComboBox& control, QWidget* parent = nullptr);
    // A titled panel shown while the frame is visible.
    QGroupBox* frame(const ui::Frame& control, const QString& title, QLayout* content);
    GridView* grid(const ui::Grid& control, int headerRows, double scale = 1.0);
    // A titled frame of option buttons, `columns` to a row, bound to the option group.
    QGroupBox* optionGroup(ui::OptionGroup& control, const QString& title, int columns);
    QGroupBox* titled(const QString& title, QWidget* content);

    QWidget* buildPredictionTab();
    QWidget* buildVerificationTab();
    QWidget* buildHistoryPanel();
    QWidget* buildBoxTablesTab();

    mainwindow::MainForm& form_;
    QtHost& host_;
    QTabWidget* tabs_ = nullptr;
    QComboBox* drawChooser_ = nullptr;
    QFrame* monthPanel_ = nullptr;
    QPushButton* monthButton_ = nullptr;
    bool refreshing_ = false;
    bool unloaded_ = false;

    std::vector<std::pair<QLabel*, const ui::Label*>> labels_;
    std::vector<std::pair<QPushButton*, const ui::Button*>> buttons_;
    std::vector<std::pair<QCheckBox*, ui::CheckBox*>> checks_;
    std::vector<std::pair<QComboBox*, ui::ComboBox*>> combos_;
    std::vector<std::pair<std::vector<QRadioButton*>, ui::OptionGroup*>> options_;
    std::vector<std::pair<QGroupBox*, const ui::Frame*>> frames_;
    std::vector<GridView*> grids_;
};

} // namespace gui
