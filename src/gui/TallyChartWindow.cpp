#include "TallyChartWindow.h"

#include "OwnedWindow.h"
#include "QtHost.h"

#include "charts/TallyChart.h"
#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace gui {

TallyChartWindow::TallyChartWindow(const mainwindow::MainForm& form, QtHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form), host_(host), view_(new QChartView(this)) {
    setWindowTitle(QStringLiteral("シュミ集計のグラフ"));
    view_->setRenderHint(QPainter::Antialiasing);
    auto* redraw = new QPushButton(QStringLiteral("更新"), this);
    auto* save = new QPushButton(QStringLiteral("PNG保存"), this);
    connect(redraw, &QPushButton::clicked, this, [this] { refresh(); });
    connect(save, &QPushButton::clicked, this, [this] {
        ui::FileDialog dialog;
        dialog.filter = QStringLiteral("PNG (*.png)|*.png");
        const QString path = host_.saveFileName(dialog);
        const QString why = path.isEmpty() ? QString() : savePng(path);
        if (!why.isEmpty())
            host_.messageBox(why);
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(redraw);
    buttons->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_);
    layout->addLayout(buttons);
    resize(1000, 640);
    refresh();
}

void TallyChartWindow::refresh() {
    // The view owns its chart and deletes the one it replaces.
    QChart* old = view_->chart();
    QChart* chart = charts::makeTallyChart(form_.tallyDraws);
    // Opened before any tally: say what to do rather than show bare axes.
    if (form_.tallyDraws.empty())
        chart->setTitle(
            QStringLiteral("シュミ集計の結果がありません。集計してから「更新」を押してください。"));
    charts::labelYenInMan(chart);
    view_->setChart(chart);
    delete old;
}

QString TallyChartWindow::savePng(const QString& path) const {
    return charts::savePng(view_->grab(), path);
}

TallyChartWindow* TallyChartWindow::open(const mainwindow::MainForm& form, QtHost& host,
                                         QWidget* owner) {
    auto* window = ownedWindow<TallyChartWindow>(owner);
    if (!window)
        window = new TallyChartWindow(form, host, owner);
    else
        window->refresh();
    window->show();
    window->raise();
    return window;
}

} // namespace gui
