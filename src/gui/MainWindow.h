#pragma once

#include "Bindings.h"
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

    GridView* gridView(const ui::Grid& grid) const { return bind_.gridView(grid); }
    QTabWidget* tabs() const { return tabs_; }

    // Placement of the start-up: centred, slightly above the middle of the screen.
    void place();

    // Shows the results window; run by the button "抽選結果ダウンロード".
    std::function<void()> showResultsWindow;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
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
    bool unloaded_ = false;
    Bindings bind_;
};

} // namespace gui
