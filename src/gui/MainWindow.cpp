#include "MainWindow.h"

#include "history/HistoryFiles.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace gui {

namespace {

QLabel* caption(const QString& text, QWidget* parent = nullptr) {
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("color: #505050;"));
    return l;
}

} // namespace

MainWindow::MainWindow(mainwindow::MainForm& form, QtHost& host, QWidget* parent)
    : QMainWindow(parent), form_(form), host_(host) {
    setWindowTitle(QStringLiteral("Tessarin"));
    host_.parent = this;
    host_.afterEvents = [this] { refresh(); };

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(buildHistoryPanel());
    tabs_ = new QTabWidget(splitter);
    tabs_->addTab(buildPredictionTab(), QStringLiteral("予想"));
    tabs_->addTab(buildVerificationTab(), QStringLiteral("検証"));
    tabs_->addTab(buildBoxTablesTab(), QStringLiteral("ボックス数字表"));
    splitter->addWidget(tabs_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({480, 860});
    setCentralWidget(splitter);
    resize(1340, 700);
    refresh();
}

QLabel* MainWindow::label(const ui::Label& control, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    labels_.emplace_back(l, &control);
    return l;
}

QPushButton* MainWindow::button(ui::Button& control, std::function<void()> handler,
                                QWidget* parent) {
    auto* b = new QPushButton(parent);
    connect(b, &QPushButton::clicked, this, [this, handler] { run(handler); });
    buttons_.emplace_back(b, &control);
    return b;
}

QCheckBox* MainWindow::checkBox(ui::CheckBox& control, QWidget* parent) {
    auto* c = new QCheckBox(parent);
    connect(c, &QCheckBox::toggled, this, [this, &control](bool on) {
        if (!refreshing_)
            control.value = on ? 1 : 0;
    });
    checks_.emplace_back(c, &control);
    return c;
}

QComboBox* MainWindow::comboBox(ui::ComboBox& control, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setEditable(false);
    connect(c, &QComboBox::currentTextChanged, this, [this, &control](const QString& text) {
        if (!refreshing_)
            control.text = text;
    });
    combos_.emplace_back(c, &control);
    return c;
}

GridView* MainWindow::grid(const ui::Grid& control, int headerRows, double scale) {
    auto* view = new GridView(control, headerRows, nullptr, scale);
    grids_.push_back(view);
    return view;
}

GridView* MainWindow::gridView(const ui::Grid& control) const {
    for (auto* view : grids_)
        if (&view->gridModel()->grid() == &control)
            return view;
    return nullptr;
}

QGroupBox* MainWindow::titled(const QString& title, QWidget* content) {
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(content);
    return box;
}

QWidget* MainWindow::buildHistoryPanel() {
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* results = new QPushButton(QStringLiteral("抽選結果ダウンロード"), panel);
    connect(results, &QPushButton::clicked, this, [this] {
        if (showResultsWindow)
            showResultsWindow();
    });
    layout->addWidget(results);
    layout->addWidget(titled(QStringLiteral("抽選履歴"), grid(form_.Grd2, 1, 0.9)), 1);
    panel->setMinimumWidth(300);
    return panel;
}

QWidget* MainWindow::buildPredictionTab() {
    auto* page = new QWidget;
    auto* outer = new QVBoxLayout(page);

    // The draw chooser: LabCom1 shows the chosen draw, Combo1 offers the list.
    auto* top = new QHBoxLayout;
    top->addWidget(caption(form_.Label14[2].caption));
    drawChooser_ = new QComboBox(page);
    drawChooser_->setMinimumWidth(90);
    connect(drawChooser_, &QComboBox::activated, this, [this](int index) {
        run([this, index] {
            form_.Combo1.text = drawChooser_->itemText(index);
            form_.Combo1_Click();
        });
    });
    top->addWidget(drawChooser_);
    top->addSpacing(16);
    for (auto* l : {&form_.LabKai, &form_.LabDays, &form_.Label2, &form_.Label8}) {
        auto* shown = label(*l, page);
        shown->setStyleSheet(QStringLiteral("font-size: 14px; font-weight: bold;"));
        top->addWidget(shown);
    }
    top->addStretch();
    outer->addLayout(top);

    auto* body = new QHBoxLayout;
    auto* digits = new QVBoxLayout;
    auto* tables = grid(form_.Grd1a, 1);
    tables->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tables->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tables->setFixedSize(4 * 27 + 4, 9 * 20 + 28);
    digits->addWidget(titled(QStringLiteral("基本数値表"), tables));
    auto* ranks = new QVBoxLayout;
    for (const auto* g : {&form_.Grd4, &form_.Grd5}) {
        auto* view = grid(*g, 0);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        for (int c = 0; c < 5; ++c)
            view->setColumnWidth(c, 36);
        view->setColumnHidden(5, true);
        view->setFixedSize(5 * 36 + 4, 2 * 20 + 4);
        ranks->addWidget(view);
    }
    auto* rankBox = new QWidget;
    rankBox->setLayout(ranks);
    digits->addWidget(titled(QStringLiteral("順位"), rankBox));
    digits->addStretch();
    body->addLayout(digits);

    auto* lists = new QGridLayout;
    const std::pair<const ui::Grid*, const char16_t*> listGrids[] = {{&form_.GrdSS, u"基本 S"},
                                                                     {&form_.GrdWW, u"基本 W"},
                                                                     {&form_.GrdSS2, u"絞り S"},
                                                                     {&form_.GrdWW2, u"絞り W"}};
    int col = 0;
    for (const auto& [g, title] : listGrids) {
        auto* view = grid(*g, 1);
        view->setMinimumWidth(125);
        lists->addWidget(titled(QString::fromUtf16(title), view), 0, col++);
    }
    body->addLayout(lists, 1);
    outer->addLayout(body, 1);
    return page;
}

QWidget* MainWindow::buildVerificationTab() {
    auto* page = new QWidget;
    auto* outer = new QVBoxLayout(page);

    auto* top = new QHBoxLayout;
    top->addWidget(caption(form_.Label14[6].caption));
    monthButton_ = new QPushButton(page);
    connect(monthButton_, &QPushButton::clicked, this, [this] {
        run([this] {
            if (form_.Frame7.visible)
                form_.Frame7.visible = false;
            else
                form_.LabKnen_Click();
        });
    });
    top->addWidget(monthButton_);
    top->addSpacing(16);
    top->addWidget(caption(QStringLiteral("年")));
    top->addWidget(comboBox(form_.Combo3[0], page));
    top->addWidget(caption(QStringLiteral("月")));
    top->addWidget(comboBox(form_.Combo3[1], page));
    top->addWidget(caption(QStringLiteral("回数")));
    top->addWidget(comboBox(form_.Combo3[2], page));
    top->addWidget(caption(QStringLiteral("Ｓ 絞り")));
    top->addWidget(comboBox(form_.Combo4[0], page));
    top->addWidget(caption(QStringLiteral("Ｗ絞り")));
    top->addWidget(comboBox(form_.Combo4[1], page));
    top->addStretch();
    outer->addLayout(top);

    monthPanel_ = new QFrame(page);
    monthPanel_->setFrameShape(QFrame::StyledPanel);
    auto* months = new QGridLayout(monthPanel_);
    months->setSpacing(2);
    for (int i = 0; i < 24; ++i) {
        auto* b = button(
            form_.ComDate[i], [this, i] { form_.ComDate_Click(i); }, monthPanel_);
        b->setMinimumWidth(60);
        months->addWidget(b, i / 12, i % 12);
    }
    outer->addWidget(monthPanel_);

    outer->addWidget(titled(QStringLiteral("シュミ集計"), grid(form_.GrdSM, 1, 0.85)), 1);
    return page;
}

QWidget* MainWindow::buildBoxTablesTab() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(titled(QStringLiteral("シングル（210通り）"), grid(form_.GrdS, 1)));
    layout->addWidget(titled(QStringLiteral("ダブル（360通り）"), grid(form_.GrdW, 1)));
    layout->addStretch();
    return page;
}

void MainWindow::run(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const history::FileError& e) {
        form_.files.CloseAll();
        host_.messageBox(e.message(), QString());
    }
    refresh();
}

void MainWindow::refresh() {
    refreshing_ = true;
    for (auto& [widget, control] : labels_) {
        widget->setText(control->caption);
        widget->setVisible(control->visible);
    }
    for (auto& [widget, control] : buttons_) {
        widget->setText(control->caption);
        widget->setEnabled(control->enabled);
        widget->setVisible(control->visible);
    }
    for (auto& [widget, control] : checks_) {
        widget->setText(control->caption);
        widget->setChecked(control->value != 0);
        widget->setVisible(control->visible);
    }
    for (auto& [widget, control] : combos_) {
        QStringList items;
        for (int i = 0; i < widget->count(); ++i)
            items.append(widget->itemText(i));
        if (items != control->items) {
            widget->clear();
            widget->addItems(control->items);
        }
        widget->setCurrentText(control->text);
    }
    // The draw chooser shows LabCom1 and offers Combo1's list.
    QStringList draws;
    for (int i = 0; i < drawChooser_->count(); ++i)
        draws.append(drawChooser_->itemText(i));
    if (draws != form_.Combo1.items) {
        drawChooser_->clear();
        drawChooser_->addItems(form_.Combo1.items);
    }
    drawChooser_->setCurrentText(form_.LabCom1.caption);
    monthButton_->setText(form_.LabKnen.caption + QStringLiteral(" 年 ") + form_.LabKmon.caption +
                          QStringLiteral(" 月 ▼"));
    monthPanel_->setVisible(form_.Frame7.visible);
    for (auto* view : grids_)
        view->refresh();
    refreshing_ = false;
}

void MainWindow::place() {
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = frameGeometry().size();
    // Centred, 20 pixels above the middle.
    move(area.left() + (area.width() - size.width()) / 2,
         std::max(area.top(), area.top() + (area.height() - size.height()) / 2 - 20));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!unloaded_) {
        unloaded_ = true;
        form_.Form_Unload();
    }
    event->accept();
}

} // namespace gui
