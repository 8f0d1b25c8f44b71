#include "LedgerWindow.h"
#include "HandlerScope.h"

#include "OwnedWindow.h"
#include "QtHost.h"

#include "charts/TallyChart.h"

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace gui {

LedgerWindow::LedgerWindow(ledger::LedgerForm& form, QtHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form), host_(host), chart_(new QChartView(this)),
      bind_(this, [this](const std::function<void()>& handler) { run(handler); }) {
    setWindowTitle(QStringLiteral("購入記録"));
    auto& f = form_;

    auto* filter = bind_.optionGroup(f.Filter, QStringLiteral("表示"), 3);
    const auto radios = filter->findChildren<QRadioButton*>();
    for (int k = 0; k < radios.size(); ++k)
        connect(radios[k], &QRadioButton::clicked, this,
                [this, k] { run([this, k] { form_.Filter_Click(k); }); });

    static const int kWidths[] = {800, 1000, 900, 800, 800, 1300, 1300, 1800};
    for (int c = 0; c < ledger::TicketCol::Count; ++c)
        f.Tickets.setColWidth(c, kWidths[c]);
    GridView* tickets = bind_.grid(f.Tickets, 1);
    tickets->setSelectionBehavior(QAbstractItemView::SelectRows);
    tickets->setMinimumWidth(600);
    connect(tickets, &QTableView::pressed, this, [this](const QModelIndex& index) {
        run([this, row = index.row() + 1] { form_.Tickets_Click(row); });
    });

    auto* entry = new QHBoxLayout;
    entry->addWidget(caption(QStringLiteral("回")));
    entry->addWidget(bind_.textBox(f.TextDraw));
    entry->addWidget(caption(QStringLiteral("買方")));
    entry->addWidget(bind_.comboBox(f.ComboType));
    entry->addWidget(caption(QStringLiteral("口数")));
    entry->addWidget(bind_.comboBox(f.ComboUnits));
    entry->addWidget(caption(QStringLiteral("数字")));
    QLineEdit* numbers = bind_.textBox(f.TextNumbers);
    numbers->setMaximumWidth(QWIDGETSIZE_MAX);
    numbers->setPlaceholderText(QStringLiteral("1234 5678 …"));
    entry->addWidget(numbers, 1);
    entry->addWidget(bind_.button(f.CommandAdd, [&f] { f.CommandAdd_Click(); }));
    entry->addSpacing(16);
    entry->addWidget(bind_.button(f.CommandRemove, [&f] { f.CommandRemove_Click(); }));

    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumWidth(420);
    auto* body = new QHBoxLayout;
    body->addWidget(tickets, 1);
    body->addWidget(chart_, 1);

    QLabel* summary = bind_.label(f.LabSummary);
    summary->setWordWrap(true);
    summary->setStyleSheet(QStringLiteral("font-weight: bold;"));
    auto* top = new QHBoxLayout;
    top->addWidget(filter);
    top->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body, 1);
    layout->addLayout(entry);
    layout->addWidget(summary);
    resize(1180, 640);
}

void LedgerWindow::run(const std::function<void()>& handler) {
    HandlerScope::run(host_, {.over = this, .refresh = [this] { refresh(); }}, form_.module.files,
                      handler);
}

void LedgerWindow::refresh() {
    bind_.refresh();
    // The list follows the ticket the form selected.
    GridView* view = list();
    const int row = form_.Tickets.selectedCell().first;
    if (row >= 1)
        view->selectRow(row - 1);
    else
        view->clearSelection();
    redrawChart();
}

void LedgerWindow::redrawChart() {
    // The view owns its chart and deletes the one it replaces.
    QChart* old = chart_->chart();
    chart_->setChart(charts::makeLedgerChart(form_.curves.balance, form_.curves.expected));
    delete old;
}

void LedgerWindow::closeEvent(QCloseEvent* event) {
    form_.visible = false;
    event->accept();
}

LedgerWindow* LedgerWindow::open(ledger::LedgerForm& form, QtHost& host, QWidget* owner) {
    auto* window = ownedWindow<LedgerWindow>(owner);
    if (!window)
        window = new LedgerWindow(form, host, owner);
    window->run([&form] { form.Show(); });
    window->show();
    window->raise();
    return window;
}

} // namespace gui
