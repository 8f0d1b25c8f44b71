#pragma once

#include "Bindings.h"

#include "ledger/LedgerForm.h"

#include <QWidget>

#include <functional>

class QChartView;

namespace gui {

class QtHost;

// The 購入記録 window's view: the filter, the ticket list, the hand-entry row, 削除, the
// summary line and the chart of the real running balance beside the chance expectation.
class LedgerWindow : public QWidget {
public:
    LedgerWindow(ledger::LedgerForm& form, QtHost& host, QWidget* parent = nullptr);

    // Runs a handler of the form with this window over its message boxes, then refreshes.
    void run(const std::function<void()>& handler);
    void refresh();

    GridView* list() const { return bind_.gridView(form_.Tickets); }
    QChartView* chart() const { return chart_; }
    QPushButton* buttonFor(const ui::Button& control) const { return bind_.buttonFor(control); }

    // Shows the window of `owner`, making it on first use, with the ledger read afresh; the
    // main window's 購入記録 button.
    static LedgerWindow* open(ledger::LedgerForm& form, QtHost& host, QWidget* owner);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void redrawChart();

    ledger::LedgerForm& form_;
    QtHost& host_;
    QChartView* chart_;
    Bindings bind_;
};

} // namespace gui
