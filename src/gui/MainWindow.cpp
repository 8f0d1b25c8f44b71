#include "MainWindow.h"

#include "Version.h"
#include "history/HistoryFiles.h"
#include "simulate/Actions.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace gui {

namespace {

// Runs a handler when the watched widget is double-clicked.
class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(QObject* watched, std::function<void()> handler)
        : QObject(watched), handler_(std::move(handler)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick) {
            handler_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
};

} // namespace

MainWindow::MainWindow(mainwindow::MainForm& form, QtHost& host, QWidget* parent)
    : QMainWindow(parent), form_(form), host_(host),
      bind_(this, [this](const std::function<void()>& handler) { run(handler); }) {
    setWindowTitle(QStringLiteral(TESSARIN_VERSION_LINE));
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
    layout->addWidget(titled(QStringLiteral("抽選履歴"), bind_.grid(form_.Grd2, 1, 0.9)), 1);
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
    drawChooser_->setObjectName(QStringLiteral("Combo1"));
    drawChooser_->setMinimumWidth(90);
    connect(drawChooser_, &QComboBox::activated, this, [this](int index) {
        run([this, index] {
            form_.Combo1.text = drawChooser_->itemText(index);
            form_.Combo1_Click();
        });
    });
    top->addWidget(drawChooser_);
    top->addSpacing(16);
    const std::pair<const ui::Label*, const char16_t*> results[] = {{&form_.LabKai, nullptr},
                                                                    {&form_.LabDays, nullptr},
                                                                    {&form_.Label2, u"当数"},
                                                                    {&form_.Label8, u"W・S予想"}};
    for (const auto& [l, title] : results) {
        if (title) {
            top->addSpacing(8);
            top->addWidget(caption(QString::fromUtf16(title)));
        }
        auto* shown = bind_.label(*l, page);
        shown->setStyleSheet(QStringLiteral("font-size: 14px; font-weight: bold;"));
        top->addWidget(shown);
    }
    top->addStretch();
    outer->addLayout(top);

    // ①, ② and ③ with the narrowing options.
    auto* steps = new QHBoxLayout;
    steps->addWidget(bind_.button(
        form_.Command1, [this] { form_.Command1_Click(); }, page));
    steps->addWidget(bind_.button(
        form_.Command2, [this] { form_.Command2_Click(); }, page));
    steps->addWidget(bind_.button(
        form_.Command4, [this] { form_.Command4_Click(); }, page));
    steps->addSpacing(12);
    steps->addWidget(bind_.checkBox(form_.Check1, page));
    steps->addWidget(bind_.checkBox(form_.Check2, page));
    steps->addSpacing(12);
    steps->addWidget(caption(QStringLiteral("Ｓ 絞り")));
    steps->addWidget(bind_.comboBox(form_.Combo4[0], page));
    steps->addWidget(caption(QStringLiteral("Ｗ絞り")));
    steps->addWidget(bind_.comboBox(form_.Combo4[1], page));
    steps->addStretch();
    outer->addLayout(steps);

    // The other narrowings of the basic lists.
    auto* others = new QHBoxLayout;
    // ③S・W絞り, the first, sits among the steps above.
    for (const auto& n : simulate::narrowings().subspan(1))
        others->addWidget(bind_.button(
            form_.*n.button, [this, handler = n.handler] { (form_.*handler)(); }, page));
    others->addStretch();
    outer->addLayout(others);

    auto* body = new QHBoxLayout;
    auto* digits = new QVBoxLayout;
    auto* tables = bind_.grid(form_.Grd1a, 1);
    tables->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tables->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tables->setFixedSize(4 * 27 + 4, 9 * 20 + 28);
    digits->addWidget(titled(QStringLiteral("基本数値表"), tables));
    digits->addWidget(bind_.optionGroup(form_.Option2, form_.Frame2.caption, 3));
    auto* ranks = new QVBoxLayout;
    for (const auto* g : {&form_.Grd4, &form_.Grd5}) {
        // The rank tables have no widths of their own; scale the default down to 36 pixels,
        // which every refresh re-applies.
        auto* view = bind_.grid(*g, 0, 36.0 / 64.0);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setColumnHidden(5, true);
        view->setFixedSize(5 * 36 + 4, 2 * 20 + 4);
        ranks->addWidget(view);
    }
    auto* rankBox = new QWidget;
    rankBox->setLayout(ranks);
    digits->addWidget(titled(QStringLiteral("順位"), rankBox));

    auto* found = new QGridLayout;
    const std::pair<const char16_t*, const ui::Label*> values[] = {
        {u"マーカー数字", &form_.Label12},
        {u"軸数字１", &form_.LabJiku[0]},
        {u"軸数字２", &form_.LabJiku[1]},
        {u"K（前回一の位＋1）", &form_.Label11}};
    int row = 0;
    for (const auto& [title, l] : values) {
        found->addWidget(caption(QString::fromUtf16(title)), row, 0);
        auto* shown = bind_.label(*l, page);
        shown->setStyleSheet(QStringLiteral("font-weight: bold;"));
        found->addWidget(shown, row++, 1);
    }
    auto* foundBox = new QWidget;
    foundBox->setLayout(found);
    digits->addWidget(titled(QStringLiteral("予想"), foundBox));
    digits->addStretch();
    body->addLayout(digits);

    auto* lists = new QGridLayout;
    const std::pair<const ui::Grid*, const char16_t*> listGrids[] = {{&form_.GrdSS, u"基本 S"},
                                                                     {&form_.GrdWW, u"基本 W"},
                                                                     {&form_.GrdSS2, u"絞り S"},
                                                                     {&form_.GrdWW2, u"絞り W"}};
    int col = 0;
    for (const auto& [g, title] : listGrids) {
        auto* view = bind_.grid(*g, 1);
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
    top->addWidget(bind_.comboBox(form_.Combo3[0], page));
    top->addWidget(caption(QStringLiteral("月")));
    top->addWidget(bind_.comboBox(form_.Combo3[1], page));
    top->addWidget(caption(QStringLiteral("回数")));
    top->addWidget(bind_.comboBox(form_.Combo3[2], page));
    top->addWidget(caption(QStringLiteral("Ｓ 絞り")));
    top->addWidget(bind_.comboBox(form_.Combo4[0], page));
    top->addWidget(caption(QStringLiteral("Ｗ絞り")));
    top->addWidget(bind_.comboBox(form_.Combo4[1], page));
    top->addStretch();
    outer->addLayout(top);

    monthPanel_ = new QFrame(page);
    monthPanel_->setFrameShape(QFrame::StyledPanel);
    auto* months = new QGridLayout(monthPanel_);
    months->setSpacing(2);
    for (int i = 0; i < 24; ++i) {
        auto* b = bind_.button(
            form_.ComDate[i], [this, i] { form_.ComDate_Click(i); }, monthPanel_);
        b->setMinimumWidth(60);
        months->addWidget(b, i / 12, i % 12);
    }
    outer->addWidget(monthPanel_);

    // The tally's settings: range mode, the button, and which ③ narrowing it replays.
    auto* settings = new QHBoxLayout;
    settings->addWidget(bind_.optionGroup(form_.Option1, form_.Frame1.caption, 2));
    auto* start = bind_.button(
        form_.Command3, [this] { form_.Command3_Click(); }, page);
    start->setMinimumHeight(36);
    start->setMinimumWidth(110);
    settings->addWidget(start);
    auto* checks = new QGridLayout;
    checks->setVerticalSpacing(0);
    int row = 0;
    for (const auto& n : simulate::narrowings()) {
        if (!n.tallySwitch)
            continue;
        checks->addWidget(caption((form_.*n.button).caption, page), row, 0);
        checks->addWidget(bind_.checkBox(form_.*n.tallySwitch, page), row++, 1);
    }
    auto* checkBoxPanel = new QWidget(page);
    checkBoxPanel->setLayout(checks);
    settings->addWidget(checkBoxPanel);
    auto* sizes = bind_.label(form_.Label6, page);
    sizes->setStyleSheet(QStringLiteral("font-weight: bold;"));
    settings->addWidget(sizes);
    settings->addStretch();
    auto* tt = bind_.label(form_.Label3, page);
    tt->setStyleSheet(QStringLiteral("color: #a0a0a0; font-size: 9px;"));
    tt->setTextInteractionFlags(Qt::NoTextInteraction);
    new DoubleClickFilter(tt, [this] { run([this] { form_.Label3_DblClick(); }); });
    settings->addWidget(tt, 0, Qt::AlignTop);
    outer->addLayout(settings);

    // The tally grid, and beside it Back100件, hidden until "TT" is double-clicked.
    auto* body = new QHBoxLayout;
    auto* tally = bind_.grid(form_.GrdSM, 1, 0.8);
    tally->hideColumnsFrom(18); // the columns of the tally and its what-ifs
    // A slightly smaller font keeps rates such as "当率:56%" whole in the narrow columns.
    QFont tallyFont = tally->font();
    tallyFont.setPointSizeF(tallyFont.pointSizeF() * 0.88);
    tally->setFont(tallyFont);
    body->addWidget(titled(QStringLiteral("シュミ集計"), tally), 1);
    auto* back = new QVBoxLayout;
    back->addWidget(bind_.button(
        form_.Command5, [this] { form_.Command5_Click(); }, page));
    auto* recent = bind_.grid(form_.GrdR, 1, 0.7);
    recent->hideColumnsFrom(4); // draw, number, earlier draw of the box, gap
    recent->setFixedWidth(4 * 45 + 22);
    back->addWidget(recent, 1);
    body->addLayout(back);
    outer->addLayout(body, 1);

    // The purchase what-ifs over the last tally; the one shown is highlighted.
    auto* whatIfs = new QGridLayout;
    int index = 0;
    for (const auto& w : simulate::whatIfs()) {
        auto* b = bind_.button(
            form_.*w.button, [this, handler = w.handler] { (form_.*handler)(); }, page);
        whatIfs->addWidget(b, index / 3, index % 3);
        ++index;
    }
    auto* busy = bind_.label(form_.LabSine[1], page);
    busy->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    whatIfs->addWidget(busy, 1, 2, Qt::AlignCenter);
    outer->addWidget(bind_.frame(form_.Frame4, QStringLiteral("購入したら"), whatIfs));
    return page;
}

QWidget* MainWindow::buildBoxTablesTab() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(titled(QStringLiteral("シングル（210通り）"), bind_.grid(form_.GrdS, 1)));
    layout->addWidget(titled(QStringLiteral("ダブル（360通り）"), bind_.grid(form_.GrdW, 1)));
    layout->addStretch();
    return page;
}

void MainWindow::run(const std::function<void()>& handler) {
    runReportingFileErrors(handler, host_);
    refresh();
}

void MainWindow::refresh() {
    bind_.refresh();
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
