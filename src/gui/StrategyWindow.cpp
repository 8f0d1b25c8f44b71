#include "StrategyWindow.h"

#include "OwnedWindow.h"
#include "QtHost.h"

#include "charts/TallyChart.h"
#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <atomic>
#include <optional>
#include <thread>

namespace gui {

namespace {

enum Column { Pair, Narrow, Draws, Boxes, Cost, Hits, Payout, Ratio, Chance, Adjusted, Columns };

QString percentText(double p) {
    return QStringLiteral("%1%").arg(p * 100, 0, 'f', 1);
}

QString walkText(const simulate::WalkForward& w) {
    return QStringLiteral("毎回上位を選んだら（直前%1回）　回数 %2　購入額 ¥%3　配当 ¥%4　"
                          "回収率 %5　偶然なら ¥%6　偶然の確率 %7")
        .arg(QString::number(w.window), QString::number(w.totals.draws),
             ui::groupThousands(w.totals.costYen), ui::groupThousands(w.totals.payoutYen),
             ui::returnPercent(w.totals.costYen, w.totals.payoutYen),
             ui::groupThousands(std::llround(w.baseline.expectedPayoutYen)),
             percentText(w.baseline.pAtLeast));
}

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
      model_(new QStandardItemModel(0, Columns, this)), view_(new QTableView(this)),
      window_(new QSpinBox(this)), walkRow_(new QLabel(this)), chart_(new QChartView(this)) {
    setWindowTitle(QStringLiteral("戦略表"));
    model_->setHorizontalHeaderLabels(
        {QStringLiteral("基本数値"), QStringLiteral("③絞り"), QStringLiteral("回数"),
         QStringLiteral("購入数"), QStringLiteral("購入額"), QStringLiteral("当たり"),
         QStringLiteral("配当"), QStringLiteral("回収率"), QStringLiteral("偶然の確率"),
         QStringLiteral("選んだ後の確率")});
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
    window_->setRange(1, 2000);
    window_->setValue(100);
    window_->setPrefix(QStringLiteral("毎回上位: 直前 "));
    window_->setSuffix(QStringLiteral(" 回"));
    auto* top = new QHBoxLayout;
    top->addWidget(range_, 1);
    top->addWidget(window_);
    top->addWidget(run);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(view_, 3);
    layout->addWidget(new QLabel(QStringLiteral("選んだ後の確率: 24 通りから後で一番よいものを"
                                                "選んだことを割り引いた、偶然の確率（Holm 法）"),
                                 this));
    layout->addWidget(walkRow_);
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumHeight(260);
    layout->addWidget(chart_, 2);
    range_->setText(rangeText(form_));
    resize(820, 760);
}

bool StrategyWindow::refresh() {
    range_->setText(rangeText(form_));
    std::optional<simulate::StrategyStudy> result;
    std::atomic_bool stop{false};
    const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    host_.runInBackground(
        [&] {
            result =
                simulate::strategyStudy(form_, threads, window_->value(), [&](int done, int total) {
                    host_.reportProgress(done, total);
                    return !stop;
                });
        },
        QStringLiteral("戦略表を集計中…"), stop);
    if (!result)
        return false;
    if (result->entries.empty())
        host_.messageBox(QStringLiteral("抽選結果のデータがありません。"));
    fill(*result);
    return true;
}

void StrategyWindow::fill(const simulate::StrategyStudy& study) {
    entries_ = study.entries;
    walk_ = study.walk;
    const auto& entries = entries_;
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
        row[Chance] = numberItem(e.pAtLeast, percentText(e.pAtLeast));
        row[Adjusted] = numberItem(e.pAdjusted, percentText(e.pAdjusted));
        model_->appendRow(row);
    }
    view_->sortByColumn(Ratio, Qt::DescendingOrder);

    walkRow_->setText(walkText(walk_));
    const QString best =
        entries.empty() ? QString() : entries.front().pairName + u' ' + entries.front().narrowTitle;
    QChart* old = chart_->chart();
    QChart* chart = charts::makeWalkForwardChart(walk_, best);
    charts::labelYenInMan(chart);
    chart_->setChart(chart);
    delete old;
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
