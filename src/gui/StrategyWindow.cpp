#include "StrategyWindow.h"

#include "OwnedWindow.h"
#include "QtHost.h"

#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <atomic>
#include <optional>
#include <thread>

namespace gui {

namespace {

enum Column { Pair, Narrow, Draws, Boxes, Cost, Hits, Payout, Ratio, Chance, Columns };

// A cell that sorts by its number and shows it as given.
QStandardItem* numberItem(double value, const QString& shown) {
    auto* item = new QStandardItem(shown);
    item->setData(value, Qt::UserRole);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString rangeText(const mainwindow::MainForm& f) {
    QString range;
    switch (f.Option1.selected) {
    case 0:
        range = QStringLiteral("第%1回の前の %2 回").arg(f.Combo1.text, f.Combo3[2].text);
        break;
    case 1:
        range = QStringLiteral("%1年%2月").arg(f.Combo3[0].text, f.Combo3[1].text);
        break;
    default:
        range = f.Option1.captions.value(2);
        break;
    }
    return QStringLiteral("%1　S絞り%2　W絞り%3").arg(range, f.Combo4[0].text, f.Combo4[1].text);
}

} // namespace

StrategyWindow::StrategyWindow(mainwindow::MainForm& form, QtHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form), host_(host), range_(new QLabel(this)),
      model_(new QStandardItemModel(0, Columns, this)), view_(new QTableView(this)) {
    setWindowTitle(QStringLiteral("戦略表"));
    model_->setHorizontalHeaderLabels(
        {QStringLiteral("基本数値"), QStringLiteral("③絞り"), QStringLiteral("回数"),
         QStringLiteral("購入数"), QStringLiteral("購入額"), QStringLiteral("当たり"),
         QStringLiteral("配当"), QStringLiteral("回収率"), QStringLiteral("偶然の確率")});
    auto* proxy = new QSortFilterProxyModel(this);
    proxy->setSourceModel(model_);
    proxy->setSortRole(Qt::UserRole);
    view_->setModel(proxy);
    view_->setSortingEnabled(true);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view_->verticalHeader()->hide();

    auto* run = new QPushButton(QStringLiteral("集計"), this);
    connect(run, &QPushButton::clicked, this, [this] { refresh(); });
    auto* top = new QHBoxLayout;
    top->addWidget(range_, 1);
    top->addWidget(run);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(view_);
    range_->setText(rangeText(form_));
    resize(760, 560);
}

bool StrategyWindow::refresh() {
    range_->setText(rangeText(form_));
    std::optional<std::vector<simulate::StrategyEntry>> result;
    std::atomic_bool stop{false};
    const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    host_.runInBackground(
        [&] {
            result = simulate::strategyTable(form_, threads, [&](int done, int total) {
                host_.reportProgress(done, total);
                return !stop;
            });
        },
        QStringLiteral("戦略表を集計中…"), stop);
    if (!result)
        return false;
    if (result->empty())
        host_.messageBox(QStringLiteral("抽選結果のデータがありません。"));
    fill(*result);
    return true;
}

void StrategyWindow::fill(const std::vector<simulate::StrategyEntry>& entries) {
    entries_ = entries;
    model_->removeRows(0, model_->rowCount());
    for (const auto& e : entries) {
        QList<QStandardItem*> row(Columns);
        row[Pair] = new QStandardItem(e.pairName);
        row[Pair]->setData(e.pair, Qt::UserRole);
        row[Narrow] = new QStandardItem(e.narrowTitle);
        row[Narrow]->setData(e.narrow, Qt::UserRole);
        row[Draws] = numberItem(e.draws, QString::number(e.draws));
        row[Boxes] = numberItem(static_cast<double>(e.boxes), QString::number(e.boxes));
        row[Cost] = numberItem(static_cast<double>(e.costYen), ui::groupThousands(e.costYen));
        row[Hits] = numberItem(e.hits, QString::number(e.hits));
        row[Payout] = numberItem(static_cast<double>(e.payoutYen), ui::groupThousands(e.payoutYen));
        row[Ratio] = numberItem(e.ratio, ui::returnPercent(e.costYen, e.payoutYen));
        row[Chance] =
            numberItem(e.pAtLeast, QStringLiteral("%1%").arg(e.pAtLeast * 100, 0, 'f', 1));
        model_->appendRow(row);
    }
    view_->sortByColumn(Ratio, Qt::DescendingOrder);
}

StrategyWindow* StrategyWindow::open(mainwindow::MainForm& form, QtHost& host, QWidget* owner) {
    auto* window = ownedWindow<StrategyWindow>(owner);
    if (!window)
        window = new StrategyWindow(form, host, owner);
    window->show();
    window->raise();
    return window;
}

} // namespace gui
