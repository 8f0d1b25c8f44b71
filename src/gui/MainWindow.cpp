#include "MainWindow.h"
#include "HandlerScope.h"

#include "StrategyWindow.h"
#include "TallyChartWindow.h"
#include "Version.h"
#include "history/HistoryFiles.h"
#include "mainwindow/GridColumns.h"
#include "simulate/Actions.h"
#include "ui/Numeric.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <tuple>

namespace gui {

namespace {

using Form = mainwindow::MainForm;
using mainwindow::Grd2Col;

// Hides the draw list when it loses the focus to anything but its own popup.
class FocusOutFilter : public QObject {
public:
    FocusOutFilter(QObject* watched, std::function<void()> handler)
        : QObject(watched), handler_(std::move(handler)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            handler_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
};

QGroupBox* titled(const QString& title, QWidget* content) {
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(content);
    return box;
}

QFrame* styledPanel(QWidget* parent = nullptr) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::StyledPanel);
    return frame;
}

QWidget* boxed(QLayout* layout) {
    auto* w = new QWidget;
    layout->setContentsMargins(0, 0, 0, 0);
    w->setLayout(layout);
    return w;
}

// The figures of a purchase, the balance in red when it lost.
QString moneyText(const simulate::MoneyFigures& m) {
    const long long balance = m.balanceYen();
    return QStringLiteral("購入額 <b>%1</b>　配当 <b>%2</b>　収支 <b%3>%4</b>　回収率 <b>%5</b>")
        .arg(ui::yen(m.costYen), ui::yen(m.payoutYen),
             balance < 0 ? QStringLiteral(" style=\"color:#c00000\"") : QString(),
             ui::yen(balance, true), ui::returnPercent(m.costYen, m.payoutYen));
}

QLabel* heading(QLabel* l) {
    l->setStyleSheet(l->styleSheet() + QStringLiteral(" QLabel { font-weight: bold; }"));
    return l;
}

} // namespace

MainWindow::MainWindow(mainwindow::MainForm& form, QtHost& host, QWidget* parent)
    : QMainWindow(parent), form_(form), host_(host),
      bind_(this, [this](const std::function<void()>& handler) { run(handler); }) {
    setWindowTitle(QStringLiteral(TESSARIN_VERSION_LINE));
    host_.parent = this;
    host_.afterEvents = [this] { refresh(); };
    form_.endProgram = [this] { QTimer::singleShot(0, this, [this] { close(); }); };

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(6, 4, 6, 6);
    outer->setSpacing(4);
    outer->addWidget(buildTitleBar());
    // Under the header, in red, while the history lacks draws whose results are out.
    auto* oldHistory = bind_.label(form_.LabOldHistory, central);
    oldHistory->setObjectName(QStringLiteral("LabOldHistory"));
    oldHistory->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    outer->addWidget(oldHistory);

    auto* splitter = new QSplitter(Qt::Horizontal, central);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(buildAreas());
    splitter->addWidget(showWhile(buildHistoryPanel(), [this] { return form_.Grd2.visible(); }));
    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(2);
    manualPanel_ = buildManualPanel();
    manualPanel_->setVisible(false);
    rightLayout->addWidget(manualPanel_);
    connect(manualToggle_, &QToolButton::toggled, this, [this](bool open) {
        manualPanel_->setVisible(open);
        manualToggle_->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
    });
    tabs_ = new QTabWidget(right);
    tabs_->setDocumentMode(true);
    auto* results = new QWidget;
    auto* resultsLayout = new QVBoxLayout(results);
    resultsLayout->setContentsMargins(2, 2, 2, 2);
    resultsLayout->addWidget(
        showWhile(buildResultsPanel(), [this] { return form_.Frame3.visible; }));
    resultsLayout->addWidget(buildTallyPanel(), 1);
    tabs_->addTab(results, QStringLiteral("予想・検証の結果"));
    tabs_->addTab(buildBoxTablesTab(), QStringLiteral("ボックス数字表"));
    // GrdA(0), the analysis of the 50 draws before the target: offered while the form shows it.
    auto* analysis =
        titled(QStringLiteral("分析表（対象回の前50回）"), bind_.grid(form_.GrdA[0], 1));
    analysis->setObjectName(QStringLiteral("analysisTab"));
    analysisTab_ = tabs_->addTab(analysis, QStringLiteral("分析表"));
    rightLayout->addWidget(tabs_, 1);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 0);
    splitter->setStretchFactor(2, 1);
    splitter->setSizes({180, 340, 790});
    outer->addWidget(splitter, 1);
    // On a screen smaller than the window needs, scroll bars rather than cut captions.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("content"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(central);
    setCentralWidget(scroll);

    // Tab order: the prediction area top to bottom, then the verification area.
    const ui::Label* order[] = {&form_.LabCom1,  &form_.LabYSS,   &form_.LabYDS, &form_.LabYOP,
                                &form_.LabStart, &form_.LabKnen,  &form_.LabKSS, &form_.LabKDS,
                                &form_.LabKOP,   &form_.LabKensyo};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(labelButton(*order[i]), labelButton(*order[i + 1]));
    setTabOrder(labelButton(form_.LabKensyo), manualToggle_);

    addPictures();
    resize(1360, 690);
    refresh();
    labelButton(form_.LabStart)->setFocus();
}

LabelButton* MainWindow::labelButton(const ui::Label& label) const {
    for (const auto& [widget, control] : labelButtons_)
        if (control == &label)
            return widget;
    return nullptr;
}

LabelButton* MainWindow::labelButton(const ui::Label& label, std::function<void()> click,
                                     QWidget* parent) {
    auto* b = new LabelButton(parent);
    const int shape = form_.shapeOf(label);
    b->pressed = [this, shape](int button, int) {
        if (button == ui::LeftButton)
            run([this, shape] { form_.LabelButton_MouseDown(shape); });
    };
    b->released = [this, shape] { run([this, shape] { form_.LabelButton_MouseUp(shape); }); };
    b->clicked = [this, click] { run(click); };
    labelButtons_.emplace_back(b, &label);
    return b;
}

QPushButton* MainWindow::picture(const QString& text, const QString& tip,
                                 std::function<void()> click) {
    auto* b = new QPushButton(text);
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::TabFocus);
    connect(b, &QPushButton::clicked, this, [this, click] { run(click); });
    return b;
}

QWidget* MainWindow::showWhile(QWidget* widget, std::function<bool()> shown) {
    shownWhile_.emplace_back(widget, std::move(shown));
    return widget;
}

QWidget* MainWindow::pictureSlot(const QString& name) {
    auto* slot = new QWidget;
    if (!name.isEmpty())
        slot->setObjectName(name);
    slot->setLayout(new QHBoxLayout);
    slot->layout()->setContentsMargins(0, 0, 0, 0);
    return slot;
}

void MainWindow::addPictures() {
    QLayout* titleBar = titlePictures_->layout();
    image3Slot_->layout()->addWidget(
        picture(QStringLiteral("予想表 → Excel"),
                QStringLiteral("基本予想と絞り予想の一覧を予想表のひな形に書き出して開きます"),
                [this] { form_.Image3_Click(); }));
    image4Slot_->layout()->addWidget(
        picture(QStringLiteral("集計表 → Excel"),
                QStringLiteral("シュミ集計の結果を集計表のひな形に書き出して開きます"),
                [this] { form_.Image4_Click(); }));
    auto* camera = picture(QStringLiteral("画面コピー"),
                           QStringLiteral("この画面をクリップボードにコピーします"),
                           [this] { form_.PicCame_Click(0); });
    cameraPressed_ = new QPushButton(QStringLiteral("コピー中…"));
    cameraPressed_->setEnabled(false);
    cameraSlot_->layout()->addWidget(camera);
    cameraSlot_->layout()->addWidget(cameraPressed_);
    titleBar->addWidget(picture(QStringLiteral("申込みカード印刷"),
                                QStringLiteral("予想した数字を申込みカードの印刷リストに移します"),
                                [this] {
                                    if (openCardTransfer)
                                        openCardTransfer();
                                }));
    titleBar->addWidget(picture(QStringLiteral("購入記録"),
                                QStringLiteral("買った数字と当選結果、収支を表示します"), [this] {
                                    if (openLedger)
                                        openLedger();
                                }));
    titleBar->addWidget(picture(QStringLiteral("ガイド"),
                                QStringLiteral("Tessarin の使い方（ホームページ）を開きます"),
                                [this] { form_.Image1_Click(); }));
}

LabelButton* MainWindow::hiddenSwitch(const ui::Label* label, std::function<void(int, int)> press,
                                      QWidget* parent) {
    auto* b = new LabelButton(parent);
    b->setCursor(Qt::ArrowCursor);
    b->setFocusPolicy(Qt::NoFocus);
    b->setStyleSheet(QStringLiteral("QLabel { color: #9a9a9a; font-size: 9px; }"));
    b->pressed = [this, press](int button, int shift) {
        run([press, button, shift] { press(button, shift); });
    };
    if (label)
        labelButtons_.emplace_back(b, label);
    return b;
}

QWidget* MainWindow::buildTitleBar() {
    auto* bar = new QHBoxLayout;
    auto* title = hiddenSwitch(
        &form_.Label13, [this](int b, int s) { form_.Label13_MouseDown(b, s); }, nullptr);
    title->setStyleSheet(QStringLiteral("QLabel { font-size: 16px; font-weight: bold; }"));
    bar->addWidget(title);
    bar->addSpacing(16);
    auto* kai = hiddenSwitch(
        &form_.LabKai, [this](int b, int s) { form_.LabKai_MouseDown(b, s); }, nullptr);
    kai->setStyleSheet(QStringLiteral("QLabel { font-size: 14px; font-weight: bold; }"));
    bar->addWidget(kai);
    const std::pair<const ui::Label*, const char16_t*> results[] = {
        {&form_.LabDays, nullptr}, {&form_.Label2, u"当数"}, {&form_.Label8, u"W・S予想"}};
    for (const auto& [l, heading] : results) {
        bar->addSpacing(10);
        if (heading)
            bar->addWidget(caption(QString::fromUtf16(heading)));
        auto* shown = bind_.label(*l);
        shown->setStyleSheet(QStringLiteral("font-size: 14px; font-weight: bold;"));
        bar->addWidget(shown);
    }
    // In the top row rather than over the panel it opens: the window keeps a row of height.
    bar->addSpacing(16);
    manualToggle_ = new QToolButton;
    manualToggle_->setText(QStringLiteral("手動操作"));
    manualToggle_->setCheckable(true);
    manualToggle_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    manualToggle_->setArrowType(Qt::RightArrow);
    manualToggle_->setToolTip(
        QStringLiteral("①②③、その他の絞り、シュミ集計、Back100件を手で操作します"));
    bar->addWidget(manualToggle_);
    bar->addStretch();
    bar->addWidget(caption(QStringLiteral("経過")));
    bar->addWidget(bind_.label(form_.LabTimer));
    bar->addWidget(caption(QStringLiteral("秒")));
    bar->addSpacing(12);
    cameraSlot_ = pictureSlot(QStringLiteral("cameraSlot"));
    bar->addWidget(showWhile(
        cameraSlot_, [this] { return form_.PicCame[0].visible || form_.PicCame[1].visible; }));
    // The two picture boxes show small marks; their switches are for maintenance.
    auto* picture1 = hiddenSwitch(
        nullptr, [this](int b, int s) { form_.Picture1_MouseDown(b, s); }, nullptr);
    auto* picture3 = hiddenSwitch(
        nullptr, [this](int b, int s) { form_.Picture3_MouseDown(b, s); }, nullptr);
    picture1->setText(QStringLiteral("▣"));
    picture3->setText(QStringLiteral("◎"));
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture3->setObjectName(QStringLiteral("Picture3"));
    bar->addWidget(picture1);
    bar->addWidget(picture3);
    titlePictures_ = pictureSlot(QString());
    bar->addWidget(titlePictures_);
    // A click opens the results window; the arrow beside it, the results menu.
    auto* download = new QToolButton;
    download->setText(QStringLiteral("抽選結果ダウンロード"));
    download->setPopupMode(QToolButton::MenuButtonPopup);
    resultsMenu_ = new QMenu(download);
    resultsMenu_->setToolTipsVisible(true);
    download->setMenu(resultsMenu_);
    connect(download, &QToolButton::clicked, this, [this] {
        if (showResultsWindow)
            showResultsWindow();
    });
    bar->addWidget(download);
    auto* end = new LabelButton;
    end->setText(QStringLiteral("終了"));
    end->setObjectName(QStringLiteral("Picture2"));
    end->setToolTip(QStringLiteral("Tessarin を終了します"));
    end->clicked = [this] { run([this] { form_.Picture2_Click(); }); };
    bar->addWidget(end);
    return boxed(bar);
}

QWidget* MainWindow::buildAreas() {
    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    column->addWidget(buildPredictionArea());
    column->addWidget(buildVerificationArea());
    column->addStretch();
    // Maintenance labels: settings save and load, the history grid, Back100件.
    auto* tiny = new QHBoxLayout;
    auto* save = labelButton(
        form_.Label9, [this] { form_.Label9_Click(); }, nullptr);
    save->setToolTip(QStringLiteral("絞り数を seteifile.dat に保存"));
    auto* load = hiddenSwitch(
        &form_.Label10, [this](int b, int s) { form_.Label10_MouseDown(b, s); }, nullptr);
    load->setToolTip(QStringLiteral("Shift + 右クリックで seteifile.dat の絞り数を読み込み"));
    auto* history = hiddenSwitch(
        &form_.Label4, [this](int b, int s) { form_.Label4_MouseDown(b, s); }, nullptr);
    history->setToolTip(QStringLiteral("Shift + 右クリックで抽選履歴の表示を切り替え"));
    auto* back100 = hiddenSwitch(
        &form_.Label3, [](int, int) {}, nullptr);
    back100->doubleClicked = [this] { run([this] { form_.Label3_DblClick(); }); };
    back100->setToolTip(QStringLiteral("ダブルクリックで Back100件 の表示を切り替え"));
    save->setFocusPolicy(Qt::NoFocus);
    save->setStyleSheet(QStringLiteral("QLabel { color: #9a9a9a; font-size: 9px; }"));
    for (auto* l : {save, static_cast<LabelButton*>(load), history, back100})
        tiny->addWidget(l);
    tiny->addStretch();
    column->addLayout(tiny);
    auto* w = boxed(column);
    w->setMinimumWidth(180);
    return w;
}

QWidget* MainWindow::buildPredictionArea() {
    QGridLayout* grid = areaGrid(0, QStringLiteral("予想の結果を表示"));
    QWidget* box = grid->parentWidget();
    QHBoxLayout* chooser = chooserRow(grid, 2);
    auto* draw = labelButton(
        form_.LabCom1,
        [this] {
            form_.LabCom1_Click();
            refresh();
            if (form_.Combo1.visible) {
                drawList_->setFocus(Qt::OtherFocusReason);
                drawList_->showPopup();
            }
        },
        box);
    draw->setMinimumWidth(70);
    draw->setToolTip(QStringLiteral("クリックで予想する抽選回を選びます"));
    chooser->addWidget(draw);
    drawList_ = new QComboBox(box);
    drawList_->setObjectName(QStringLiteral("Combo1"));
    drawList_->setMaxVisibleItems(15);
    connect(drawList_, &QComboBox::activated, this, [this](int index) {
        run([this, index] {
            form_.Combo1.text = drawList_->itemText(index);
            form_.Combo1_Click();
        });
    });
    new FocusOutFilter(drawList_, [this] {
        if (!bind_.refreshing())
            run([this] { form_.Combo1_LostFocus(); });
    });
    chooser->addWidget(drawList_);

    addLevelsAndStart(grid, 2, 0);
    return box;
}

QGridLayout* MainWindow::areaGrid(int head, const QString& tip) {
    auto* box = styledPanel();
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(5);
    auto* title = heading(labelButton(
        form_.Label14[head], [this, head] { form_.Label14_Click(head); }, box));
    title->setToolTip(tip);
    grid->addWidget(title, 0, 0, 1, 2);
    return grid;
}

QHBoxLayout* MainWindow::chooserRow(QGridLayout* grid, int head) {
    grid->addWidget(caption(form_.Label14[head].caption, grid->parentWidget()), 1, 0);
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    grid->addLayout(row, 1, 1);
    return row;
}

void MainWindow::addLevelsAndStart(QGridLayout* grid, int row, int area) {
    // Per area: the level switches (the index of the caption in Label14, the label, its
    // handler), then the start button with its handler and tip.
    using Switch = std::tuple<int, ui::Label Form::*, void (Form::*)()>;
    struct Area {
        Switch levels[3];
        ui::Label Form::*start;
        void (Form::*startClick)();
        const char16_t* startTip;
    };
    static const Area areas[] = {{{{4, &Form::LabYSS, &Form::LabYSS_Click},
                                   {3, &Form::LabYDS, &Form::LabYDS_Click},
                                   {11, &Form::LabYOP, &Form::LabYOP_Click}},
                                  &Form::LabStart,
                                  &Form::LabStart_Click,
                                  u"①集計・②集計・③絞りを続けて行います"},
                                 {{{8, &Form::LabKSS, &Form::LabKSS_Click},
                                   {7, &Form::LabKDS, &Form::LabKDS_Click},
                                   {12, &Form::LabKOP, &Form::LabKOP_Click}},
                                  &Form::LabKensyo,
                                  &Form::LabKensyo_Click,
                                  u"検証年月の全抽選をシュミ集計します"}};
    const Area& a = areas[area];
    const auto startClick = a.startClick;
    QWidget* box = grid->parentWidget();
    for (const auto& [index, label, click] : a.levels) {
        grid->addWidget(caption(form_.Label14[index].caption, box), row, 0);
        auto* b = labelButton(
            form_.*label, [this, click] { (form_.*click)(); }, box);
        b->setToolTip(QStringLiteral("クリックで切り替え"));
        grid->addWidget(b, row++, 1);
    }
    auto* button = labelButton(
        form_.*a.start,
        [this, startClick] {
            tabs_->setCurrentIndex(0);
            (form_.*startClick)();
        },
        box);
    button->setMinimumHeight(34);
    button->setStyleSheet(QStringLiteral("font-size: 15px;"));
    button->setToolTip(QString::fromUtf16(a.startTip));
    grid->addWidget(button, row, 0, 1, 2);
    grid->setColumnStretch(1, 1);
}

QWidget* MainWindow::buildVerificationArea() {
    QGridLayout* grid = areaGrid(1, QStringLiteral("検証の結果を表示"));
    QWidget* box = grid->parentWidget();
    QHBoxLayout* month = chooserRow(grid, 6);
    auto openPanel = [this] {
        if (form_.Frame7.visible)
            form_.Frame7.visible = false;
        else
            form_.LabKnen_Click();
    };
    for (const auto* l : {&form_.LabKnen, &form_.LabKmon}) {
        auto* b = labelButton(*l, openPanel, box);
        b->setToolTip(QStringLiteral("クリックで検証する年月を選びます"));
        month->addWidget(b);
    }

    auto* monthPanel = styledPanel(box);
    auto* months = new QGridLayout(monthPanel);
    months->setContentsMargins(2, 2, 2, 2);
    months->setSpacing(2);
    for (int i = 0; i < 24; ++i) {
        auto* b = bind_.button(
            form_.ComDate[i], [this, i] { form_.ComDate_Click(i); }, monthPanel);
        b->setObjectName(QStringLiteral("ComDate%1").arg(i));
        b->setStyleSheet(QStringLiteral("padding: 1px 2px;"));
        // Three to a row: four would not fit the area's width with "2025/01" whole.
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("2025/01")) + 8);
        months->addWidget(b, i / 3, i % 3);
    }
    grid->addWidget(showWhile(monthPanel, [this] { return form_.Frame7.visible; }), 2, 0, 1, 2);

    addLevelsAndStart(grid, 3, 1);
    return box;
}

QWidget* MainWindow::buildManualPanel() {
    auto* panel = styledPanel();
    auto* rows = new QVBoxLayout(panel);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(2);

    auto* steps = new QHBoxLayout;
    for (const auto& [control, handler] : {std::pair{&form_.Command1, &Form::Command1_Click},
                                           std::pair{&form_.Command2, &Form::Command2_Click},
                                           std::pair{&form_.Command4, &Form::Command4_Click}})
        steps->addWidget(bind_.button(
            *control, [this, handler] { (form_.*handler)(); }, panel));
    steps->addWidget(bind_.checkBox(form_.Check1, panel));
    steps->addWidget(bind_.checkBox(form_.Check2, panel));
    steps->addSpacing(8);
    for (int i = 0; i < 2; ++i) {
        steps->addWidget(caption(i == 0 ? QStringLiteral("Ｓ 絞り") : QStringLiteral("Ｗ絞り")));
        auto* size = bind_.comboBox(form_.Combo4[i], panel);
        // The sizes a start or the settings file writes need not be among the list's entries.
        size->setEditable(true);
        size->lineEdit()->setValidator(new QIntValidator(0, 9999, size));
        size->setMinimumWidth(64);
        steps->addWidget(size);
    }
    steps->addStretch();
    rows->addLayout(steps);

    auto* narrowings = new QGridLayout;
    narrowings->setVerticalSpacing(0);
    // ③S・W絞り, the first, sits among the steps above; a ③ that the tally can replay has its
    // check box under it.
    int col = 0;
    for (const auto& n : simulate::narrowings().subspan(1)) {
        narrowings->addWidget(
            bind_.button(
                form_.*n.button, [this, handler = n.handler] { (form_.*handler)(); }, panel),
            0, col);
        if (n.tallySwitch)
            narrowings->addWidget(bind_.checkBox(form_.*n.tallySwitch, panel), 1, col);
        ++col;
    }
    narrowings->setColumnStretch(col, 1);
    rows->addLayout(narrowings);

    auto* tally = new QHBoxLayout;
    // The frame's caption beside its options rather than over them: a row less of height.
    tally->addWidget(caption(form_.Frame1.caption));
    tally->addWidget(bind_.optionGroup(form_.Option1, QString(), 3));
    const char16_t* names[] = {u"年", u"月", u"回数"};
    for (int i = 0; i < 3; ++i) {
        tally->addWidget(caption(QString::fromUtf16(names[i])));
        tally->addWidget(bind_.comboBox(form_.Combo3[i], panel));
    }
    tally->addWidget(bind_.button(
        form_.Command3, [this] { form_.Command3_Click(); }, panel));
    auto* sizes = bind_.label(form_.Label6, panel);
    sizes->setStyleSheet(QStringLiteral("font-weight: bold;"));
    tally->addWidget(sizes);
    tally->addStretch();
    auto* strategies = new QPushButton(QStringLiteral("戦略表…"), panel);
    strategies->setToolTip(QStringLiteral("基本数値と③絞りの組み合わせをすべて集計して比べます"));
    connect(strategies, &QPushButton::clicked, this,
            [this] { StrategyWindow::open(form_, host_, this); });
    tally->addWidget(strategies);
    auto* chart = new QPushButton(QStringLiteral("グラフ…"), panel);
    chart->setToolTip(QStringLiteral("シュミ集計の収支と勝率をグラフで表示します"));
    connect(chart, &QPushButton::clicked, this,
            [this] { TallyChartWindow::open(form_, host_, this); });
    tally->addWidget(chart);
    rows->addLayout(tally);
    return panel;
}

QWidget* MainWindow::buildResultsPanel() {
    auto* panel = styledPanel();
    auto* body = new QHBoxLayout(panel);
    body->setContentsMargins(4, 2, 4, 2);

    // The digit table with the pair option group, which Image2(0) moves above or below it.
    frame2_.column = new QVBoxLayout;
    auto* tables = bind_.grid(form_.Grd1a, 1);
    tables->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tables->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tables->setFixedSize(4 * 27 + 4, 9 * 20 + 26);
    QWidget* digitTable = titled(QStringLiteral("基本数値表"), tables);
    auto* options = bind_.optionGroup(form_.Option2, form_.Frame2.caption, 2);
    auto* mover = new LabelButton;
    mover->setText(QStringLiteral("⇅"));
    mover->setObjectName(QStringLiteral("Image2_0"));
    mover->setToolTip(QStringLiteral("基本数値の位置を上下に移動"));
    mover->clicked = [this] { run([this] { form_.Image2_Click(0); }); };
    auto* optionRow = new QHBoxLayout;
    optionRow->addWidget(options);
    optionRow->addWidget(mover, 0, Qt::AlignTop);
    frame2_.box = boxed(optionRow);
    frame2_.column->addWidget(digitTable);
    frame2_.column->addWidget(frame2_.box);
    frame2_.column->addStretch();
    body->addLayout(frame2_.column);

    auto* middle = new QVBoxLayout;
    auto* ranks = new QVBoxLayout;
    for (const auto* g : {&form_.Grd4, &form_.Grd5}) {
        auto* view = bind_.grid(*g, 0, 36.0 / 64.0);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setColumnHidden(5, true);
        view->setFixedSize(5 * 36 + 4, 2 * 20 + 4);
        ranks->addWidget(view);
    }
    middle->addWidget(titled(QStringLiteral("順位"), boxed(ranks)));
    auto* found = new QGridLayout;
    const std::pair<const char16_t*, const ui::Label*> values[] = {
        {u"マーカー数字", &form_.Label12},
        {u"軸数字１", &form_.LabJiku[0]},
        {u"軸数字２", &form_.LabJiku[1]},
        {u"K（前回一の位＋1）", &form_.Label11}};
    int row = 0;
    for (const auto& [title, l] : values) {
        found->addWidget(caption(QString::fromUtf16(title)), row, 0);
        auto* shown = bind_.label(*l);
        shown->setStyleSheet(QStringLiteral("font-weight: bold;"));
        found->addWidget(shown, row++, 1);
    }
    middle->addWidget(titled(QStringLiteral("予想"), boxed(found)));
    auto* busy = bind_.label(form_.LabSine[0]);
    busy->setStyleSheet(QStringLiteral("color: #c00000; font-size: 16px; font-weight: bold;"));
    middle->addWidget(busy, 0, Qt::AlignCenter);
    image3Slot_ = pictureSlot(QStringLiteral("image3Slot"));
    middle->addWidget(showWhile(image3Slot_, [this] { return form_.Image3.visible; }));
    middle->addStretch();
    body->addLayout(middle);

    const std::pair<const ui::Grid*, const char16_t*> listGrids[] = {{&form_.GrdSS, u"基本 S"},
                                                                     {&form_.GrdWW, u"基本 W"},
                                                                     {&form_.GrdSS2, u"絞り S"},
                                                                     {&form_.GrdWW2, u"絞り W"}};
    for (const auto& [g, title] : listGrids) {
        auto* view = bind_.grid(*g, 1, 0.7);
        view->hideColumnsFrom(mainwindow::ListCol::Work); // the narrowings' work column
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setMinimumWidth(100);
        body->addWidget(titled(QString::fromUtf16(title), view), 1);
    }
    panel->setFixedHeight(330);
    return panel;
}

QWidget* MainWindow::buildTallyPanel() {
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* body = new QHBoxLayout;
    auto* tally = bind_.grid(form_.GrdSM, 1, 0.78);
    tally->hideColumnsFrom(mainwindow::TallyCol::WhatIfCost + 1); // the tally and its what-ifs
    // A slightly smaller font keeps rates such as "当率:56%" whole in the narrow columns.
    QFont tallyFont = tally->font();
    tallyFont.setPointSizeF(tallyFont.pointSizeF() * 0.85);
    tally->setFont(tallyFont);
    // Its headings say what it is; a titled frame would cost the window a row of height.
    tally->setToolTip(QStringLiteral("シュミ集計"));
    body->addWidget(tally, 1);
    // Back100件, hidden until "TT" is double-clicked.
    auto* back = new QVBoxLayout;
    back->addWidget(bind_.button(
        form_.Command5, [this] { form_.Command5_Click(); }, panel));
    auto* recent = bind_.grid(form_.GrdR, 1, 0.7);
    recent->hideColumnsFrom(mainwindow::Back100Col::DrawsBetween + 1);
    recent->setFixedWidth(4 * 45 + 22);
    back->addWidget(recent, 1);
    body->addLayout(back);
    layout->addLayout(body, 1);

    // What the tally's lists cost and brought back, and what luck alone would have done.
    auto* money = new QHBoxLayout;
    money->setContentsMargins(4, 0, 4, 0);
    money->setSpacing(16);
    tallyMoney_ = new QLabel(panel);
    tallyMoney_->setObjectName(QStringLiteral("tallyMoney"));
    tallyMoney_->setTextFormat(Qt::RichText);
    tallyMoney_->setToolTip(
        QStringLiteral("絞り予想をすべて買った場合: 購入額（口数 × 200円）、配当、収支、回収率"));
    money->addWidget(tallyMoney_);
    tallyChance_ = bind_.label(form_.LabBaseline, panel);
    tallyChance_->setToolTip(
        QStringLiteral("同じ口数を偶然に選んで買った場合に期待できる当たりと配当、"
                       "この集計以上に当たる確率"));
    money->addWidget(tallyChance_);
    money->addStretch();
    layout->addLayout(money);

    // The purchase what-ifs over the last tally; the one shown is highlighted.
    auto* whatIfs = new QGridLayout;
    whatIfs->setContentsMargins(4, 2, 4, 2);
    whatIfs->setSpacing(2);
    auto* label5 = hiddenSwitch(
        &form_.Label5[0], [this](int b, int s) { form_.Label5_MouseDown(0, b, s); }, nullptr);
    label5->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; }"));
    whatIfs->addWidget(label5, 0, 0);
    int index = 0;
    for (const auto& w : simulate::whatIfs()) {
        whatIfs->addWidget(
            bind_.button(
                form_.*w.button, [this, handler = w.handler] { (form_.*handler)(); }, panel),
            index / 3, 1 + index % 3);
        ++index;
    }
    auto* busy = bind_.label(form_.LabSine[1]);
    busy->setStyleSheet(QStringLiteral("color: #c00000; font-size: 16px; font-weight: bold;"));
    whatIfs->addWidget(busy, 1, 0, Qt::AlignCenter);
    image4Slot_ = pictureSlot(QStringLiteral("image4Slot"));
    whatIfs->addWidget(showWhile(image4Slot_, [this] { return form_.Image4.visible; }), 1, 3);
    whatIfMoney_ = new QLabel(panel);
    whatIfMoney_->setObjectName(QStringLiteral("whatIfMoney"));
    whatIfMoney_->setTextFormat(Qt::RichText);
    whatIfs->addWidget(whatIfMoney_, 2, 0, 1, 4);
    auto* payoutPanel = bind_.frame(form_.Frame4, QString(), whatIfs);
    layout->addWidget(payoutPanel);
    return panel;
}

QWidget* MainWindow::buildHistoryPanel() {
    auto* history = bind_.grid(form_.Grd2, 1, 0.85);
    // The four digit columns and the type for the tally repeat 当数 and SW: left out here,
    // so that the W・S prediction and its mark stay in view.
    history->hideColumns({Grd2Col::Digit1, Grd2Col::Digit1 + 1, Grd2Col::Digit1 + 2,
                          Grd2Col::Digit1 + 3, Grd2Col::Flag});
    history->hideColumnsFrom(Grd2Col::WsMark + 1);
    // Wide enough for every shown column beside the scroll bar, so that the last heading
    // (○or×) is not cut off at the panel's edge.
    history->setMinimumWidth(history->horizontalHeader()->length() +
                             history->verticalScrollBar()->sizeHint().width() +
                             2 * history->frameWidth());
    auto* panel = titled(QStringLiteral("抽選履歴"), history);
    // The grid reaches the frame's sides, so the window still fits a 1366-pixel screen.
    panel->layout()->setContentsMargins(0, 2, 0, 4);
    return panel;
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
    // A start processes events while it waits: a second action would run inside it.
    if (form_.startRunning())
        return;
    HandlerScope::run(host_, {.over = this, .refresh = [this] { refresh(); }}, form_.module.files,
                      handler);
}

void MainWindow::placeFrame2() {
    // Frame2 at the top edge stands above the digit table, elsewhere below it.
    const int wanted = form_.Frame2.topTwips == 0 ? 0 : 1;
    if (wanted == frame2_.top)
        return;
    frame2_.top = wanted;
    frame2_.column->removeWidget(frame2_.box);
    frame2_.column->insertWidget(wanted, frame2_.box);
}

void MainWindow::refresh() {
    bind_.refresh();
    for (auto& [widget, label] : labelButtons_) {
        widget->setText(label->caption);
        if (widget->isHidden() == label->visible && widget->parentWidget())
            widget->setVisible(label->visible);
        const int shape = form_.shapeOf(*label);
        if (shape >= 0) {
            const ui::Shape& s = form_.Shape1[shape];
            widget->setFill(QColor(s.red, s.green, s.blue));
        }
    }
    // The draw list offers Combo1's entries and shows the chosen draw.
    QStringList draws;
    for (int i = 0; i < drawList_->count(); ++i)
        draws.append(drawList_->itemText(i));
    if (draws != form_.Combo1.items) {
        drawList_->clear();
        drawList_->addItems(form_.Combo1.items);
    }
    drawList_->setCurrentText(form_.LabCom1.caption);
    drawList_->setVisible(form_.Combo1.visible);
    for (const auto& [widget, shown] : shownWhile_)
        widget->setVisible(shown());
    tabs_->setTabVisible(analysisTab_, form_.GrdA[0].visible());
    if (cameraPressed_) {
        cameraSlot_->layout()->itemAt(0)->widget()->setVisible(form_.PicCame[0].visible);
        cameraPressed_->setVisible(form_.PicCame[1].visible);
    }
    placeFrame2();
    refreshMoney();
    if (form_.WindowState != appliedWindowState_ && isVisible()) {
        appliedWindowState_ = form_.WindowState;
        if (appliedWindowState_ == 2)
            showMaximized();
        else
            showNormal();
    }
}

void MainWindow::refreshMoney() {
    const auto tally = simulate::tallyMoney(form_);
    tallyMoney_->setVisible(tally.has_value());
    tallyChance_->setVisible(tally.has_value());
    if (tally)
        tallyMoney_->setText(moneyText(*tally));
    const auto shown = simulate::shownWhatIf(form_);
    whatIfMoney_->setVisible(shown.has_value());
    if (shown)
        whatIfMoney_->setText((form_.*shown->action->button).caption.toHtmlEscaped() +
                              QStringLiteral(": ") + moneyText(shown->money));
}

void MainWindow::place() {
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // Never larger than the screen: the content scrolls instead.
    const QSize decoration = frameGeometry().size() - size();
    resize(size().boundedTo(area.size() - decoration));
    const QSize outer = frameGeometry().size();
    // Centred, 20 pixels above the middle.
    move(area.left() + (area.width() - outer.width()) / 2,
         std::max(area.top(), area.top() + (area.height() - outer.height()) / 2 - 20));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!unloaded_) {
        unloaded_ = true;
        form_.Form_Unload();
    }
    // Closing the main window ends the program whatever other windows are open; they go
    // without events of their own.
    for (QWidget* other : QApplication::topLevelWidgets())
        if (other != this && other->isVisible())
            other->hide();
    event->accept();
}

} // namespace gui
