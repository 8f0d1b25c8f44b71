#pragma once

#include "simulate/StrategyTable.h"

#include <QWidget>

class QChartView;
class QLabel;
class QSpinBox;
class QStandardItemModel;
class QTableView;

namespace mainwindow {
class MainForm;
}

namespace gui {

class QtHost;

// The strategy table: every 基本数値 pair with every ③ narrowing tallied over the
// verification range and sizes set in the main window, in a table the user can sort by any
// column (ranked by payout per cost at first), and under it the walk-forward over the same
// range (the draws before it included) as a row and a chart. 集計 runs both off the window's
// thread, with progress and 中止 in the host's progress bar.
class StrategyWindow : public QWidget {
public:
    StrategyWindow(mainwindow::MainForm& form, QtHost& host, QWidget* parent = nullptr);

    // Tallies the table now; false when it was stopped (the table then keeps what it held).
    bool refresh();
    const std::vector<simulate::StrategyEntry>& entries() const { return entries_; }
    QTableView* table() const { return view_; }
    const simulate::WalkForward& walk() const { return walk_; }
    QLabel* walkRow() const { return walkRow_; }
    QChartView* chart() const { return chart_; }

    // Shows the window of `owner`'s form, making it on first use; the main window's opener.
    static StrategyWindow* open(mainwindow::MainForm& form, QtHost& host, QWidget* owner);

private:
    void fill(const simulate::StrategyStudy& study);

    mainwindow::MainForm& form_;
    QtHost& host_;
    QLabel* range_;
    QStandardItemModel* model_;
    QTableView* view_;
    QSpinBox* window_;
    QLabel* walkRow_;
    QChartView* chart_;
    std::vector<simulate::StrategyEntry> entries_;
    simulate::WalkForward walk_;
};

} // namespace gui
