#include "CardWindows.h"
#include "HandlerScope.h"

#include "history/HistoryFiles.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

namespace gui {

namespace {

// The card's mark area drawn from the positions the text boxes hold: the buy-type row and
// the four digit rows of slot 0, ten columns each, at a tenth of a pixel per twip.
class CardDrawing : public QWidget {
public:
    explicit CardDrawing(const cardprint::PrintPositionForm& form, QWidget* parent)
        : QWidget(parent), form_(form) {
        setFixedSize(kWidth, kHeight);
    }

    static constexpr int kWidth = 620;
    static constexpr int kHeight = 250;
    static constexpr double kScale = 0.1; // pixels per twip
    static constexpr int kOriginY = 500;  // twips above the drawing's top edge, in the card

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0xFF, 0xF4, 0xF4));
        p.setPen(QColor(0xC0, 0x30, 0x30));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        const cardprint::Positions pos = form_.textPositions();
        const auto box = [&](cardprint::Mark m) {
            return QRectF(m.x * kScale, (m.y - kOriginY) * kScale,
                          cardprint::kMarkWidthTwips * kScale,
                          cardprint::kMarkHeightTwips * kScale);
        };
        static const char16_t* const kRows[] = {u"Ａ", u"Ｂ", u"Ｃ", u"Ｄ"};
        for (int row = 0; row < 4; ++row) {
            for (int d = 0; d <= 9; ++d) {
                const QRectF r = box(cardprint::digitMark(pos, row, d, 0));
                p.drawRect(r);
                if (row == 3)
                    p.drawText(r.adjusted(0, -16, 0, -6), Qt::AlignCenter, QString::number(d));
            }
            const QRectF first = box(cardprint::digitMark(pos, row, 0, 0));
            p.drawText(first.adjusted(-30, -6, -first.width() - 8, 6), Qt::AlignRight,
                       QString::fromUtf16(kRows[row]));
        }
        static const char* const kBuy[] = {"S", "B", "T"};
        for (int b = 0; b < 3; ++b) {
            const QRectF r = box(cardprint::buyTypeMark(pos, b, 0));
            p.fillRect(r, QColor(0xC0, 0x30, 0x30));
            p.drawText(r.adjusted(0, -16, 0, -6), Qt::AlignCenter, QString::fromLatin1(kBuy[b]));
        }
    }

private:
    const cardprint::PrintPositionForm& form_;
};

QString colourSheet(unsigned rgb) {
    return QStringLiteral("background-color: #%1; color: white; padding: 6px;")
        .arg(rgb, 6, 16, QLatin1Char('0'));
}

} // namespace

template <typename Form, typename View>
CardWindow<Form, View>::CardWindow(Form& form, CardWindows& owner, void (Form::*onClose)())
    : QWidget(nullptr, Qt::Window),
      bind(this, [this](const std::function<void()>& h) { owner_.run(h, this); }), form_(form),
      owner_(owner), onClose_(onClose) {}

template <typename Form, typename View> void CardWindow<Form, View>::refresh() {
    bind.refresh();
    if (afterRefresh)
        afterRefresh();
}

template <typename Form, typename View> bool CardWindow<Form, View>::event(QEvent* event) {
    if constexpr (requires(Form & f) { f.Form_Activate(); }) {
        if (event->type() == QEvent::WindowActivate && !owner_.running() && form_.visible)
            owner_.run([this] { form_.Form_Activate(); }, this);
    }
    // The focus a handler's own message box or dialog takes is not the user leaving.
    if constexpr (requires(Form & f) { f.Form_Deactivate(); }) {
        if (event->type() == QEvent::WindowDeactivate && !owner_.running() && form_.visible)
            owner_.run([this] { form_.Form_Deactivate(); }, this);
    }
    return QWidget::event(event);
}

template <typename Form, typename View>
bool CardWindow<Form, View>::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && viewEvent && viewEvent(event))
        return true;
    return QWidget::eventFilter(watched, event);
}

template <typename Form, typename View>
void CardWindow<Form, View>::closeEvent(QCloseEvent* event) {
    owner_.run([this] { (form_.*onClose_)(); }, this);
    event->accept();
}

template <typename Form, typename View>
QPushButton* CardWindow<Form, View>::closeButton(void (Form::*handler)()) {
    auto* close = new QPushButton(QStringLiteral("閉じる"));
    QObject::connect(close, &QPushButton::clicked, this, [this, handler] {
        owner_.run([this, handler] { (form_.*handler)(); }, this);
    });
    return close;
}

template class CardWindow<cardprint::TransferForm, QLabel>;
template class CardWindow<cardprint::PrintListForm, GridView>;
template class CardWindow<cardprint::PrintPositionForm, QWidget>;

// ---- transfer ------------------------------------------------------------------------------

TransferWindow::TransferWindow(cardprint::TransferForm& form, CardWindows& owner)
    : CardWindow(form, owner, &cardprint::TransferForm::Picture1_Click) {
    setWindowTitle(form.Label1[0].caption);
    auto* layout = new QVBoxLayout(this);
    auto* title = bind.label(form.Label1[0]);
    title->setStyleSheet(QStringLiteral("font-size: 16pt; font-weight: bold;"));
    layout->addWidget(title);
    for (int g = 0; g < 2; ++g) {
        auto* box = new QGroupBox(form.Label1[1 + g].caption);
        auto* bl = new QHBoxLayout(box);
        auto& checks = g == 0 ? form.Check1 : form.Check2;
        bl->addWidget(bind.checkBox(checks[0]));
        bl->addWidget(bind.checkBox(checks[1]));
        layout->addWidget(box);
    }
    view_ = new QLabel(form.Label1[cardprint::TransferForm::kTransferLabel].caption);
    view_->setAlignment(Qt::AlignCenter);
    view_->installEventFilter(this);
    layout->addWidget(view_);
    layout->addWidget(closeButton(&cardprint::TransferForm::Picture1_Click), 0, Qt::AlignRight);
    viewEvent = [this](QEvent* event) {
        if (event->type() == QEvent::MouseButtonPress) {
            owner_.run([this] { form_.Label1_MouseDown(cardprint::TransferForm::kTransferLabel); },
                       this);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* me = static_cast<QMouseEvent*>(event);
            const bool inside = view_->rect().contains(me->position().toPoint());
            owner_.run(
                [this, inside] {
                    form_.Label1_MouseUp(cardprint::TransferForm::kTransferLabel);
                    if (inside)
                        form_.Label1_Click(cardprint::TransferForm::kTransferLabel);
                },
                this);
            return true;
        }
        return false;
    };
    afterRefresh = [this] { view_->setStyleSheet(colourSheet(form_.Shape1.fill())); };
    refresh();
}

// ---- print list ----------------------------------------------------------------------------

PrintListWindow::PrintListWindow(cardprint::PrintListForm& form, CardWindows& owner)
    : CardWindow(form, owner, &cardprint::PrintListForm::Form_Unload) {
    setWindowTitle(QStringLiteral("ナンバーズ４申込みカード印刷"));
    auto& f = form_;
    static const int kWidths[] = {700, 450, 450, 450, 450, 700, 700};
    for (int c = 0; c < 7; ++c)
        f.PrintList.setColWidth(c, kWidths[c]);
    view_ = bind.grid(f.PrintList, 1);
    view_->setMinimumWidth(320);
    view_->installEventFilter(this);
    QObject::connect(view_, &QTableView::pressed, this, [this](const QModelIndex& index) {
        owner_.run([this, index] { form_.GrdA_Click(index.row() + 1, index.column()); }, this);
    });

    auto* buyGrid = new QGridLayout;
    for (int k = 0; k < 3; ++k) {
        buyGrid->addWidget(bind.label(f.LabBuy[k]), k, 0);
        buyGrid->addWidget(bind.button(f.Command1[k], [&f, k] { f.Command1_Click(k); }), k, 1);
    }
    auto* flagGrid = new QGridLayout;
    for (int k = 0; k < 2; ++k) {
        flagGrid->addWidget(bind.label(f.LabFlag[k]), k, 0);
        flagGrid->addWidget(bind.button(f.Command2[k], [&f, k] { f.Command2_Click(k); }), k, 1);
    }
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(bind.button(f.Command3, [&f] { f.Command3_Click(); }));
    fileRow->addWidget(bind.button(f.Command4, [&f] { f.Command4_Click(); }));

    auto* side = new QVBoxLayout;
    side->addWidget(bind.frame(f.Frame1, f.Frame1.caption, buyGrid));
    for (int i = 0; i < 2; ++i) {
        if (i == 1)
            side->addWidget(bind.frame(f.Frame2, f.Frame2.caption, flagGrid));
        auto* note = bind.label(f.LabNote[i]);
        note->setWordWrap(true);
        note->setMaximumWidth(260);
        side->addWidget(note);
    }
    side->addWidget(bind.frame(f.Frame3, f.Frame3.caption, fileRow));
    auto* paste = bind.button(f.Command5, [&f] { f.Command5_Click(); });
    paste->setToolTip(QStringLiteral("クリップボードの４桁の数字を、使っている行の後ろに加えます"));
    side->addWidget(paste);
    side->addStretch();
    auto* print = bind.button(f.Command6, [&f] { f.Command6_Click(); });
    print->setMinimumHeight(40);
    side->addWidget(print);
    side->addWidget(bind.button(f.Command7, [&f] { f.Command7_Click(); }));
    side->addWidget(closeButton(&cardprint::PrintListForm::Picture1_Click));

    auto* outer = new QHBoxLayout(this);
    outer->addWidget(view_, 1);
    outer->addLayout(side);
    resize(640, 560);

    viewEvent = [this](QEvent* event) {
        if (event->type() != QEvent::KeyPress)
            return false;
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.isEmpty() || !text[0].isPrint())
            return false;
        owner_.run([this, ch = text[0]] { form_.GrdA_KeyPress(ch); }, this);
        return true;
    };
    // The list follows the cell the form selects.
    afterRefresh = [this] {
        const auto [row, col] = form_.PrintList.selectedCell();
        const QModelIndex current = view_->model()->index(row - 1, col);
        if (current.isValid() && view_->currentIndex() != current) {
            view_->setCurrentIndex(current);
            view_->scrollTo(current);
        }
    };
}

// ---- print positions -----------------------------------------------------------------------

PrintPositionWindow::PrintPositionWindow(cardprint::PrintPositionForm& form, CardWindows& owner)
    : CardWindow(form, owner, &cardprint::PrintPositionForm::Picture2_Click) {
    setWindowTitle(QStringLiteral("ナンバーズ４申込みカード印字位置設定"));
    auto* drawing = new CardDrawing(form_, this);
    view_ = drawing;
    // Each text box sits where the value it holds is measured on the card.
    const QPoint spots[6] = {{4, 134}, {480, 214}, {4, 88}, {260, 2}, {40, 2}, {480, 180}};
    // What each value moves; every value counts in 1/1440 インチ.
    static const char16_t* const meanings[6] = {u"Ａの行の縦位置（1枠目）: 増やすと印字全体が下へ",
                                                u"枠の間隔: 1枠目から次の枠までの縦の距離",
                                                u"行の間隔: Ａ～Ｄと買い方の行どうしの縦の距離",
                                                u"列の間隔: 数字 0～9 の列どうしの横の距離",
                                                u"0 の列の横位置: 増やすと印字全体が右へ",
                                                u"用紙送り誤差: 1枠ごとに縦位置から引く量"};
    auto* legend = new QLabel;
    QStringList lines;
    for (int i = 0; i < 6; ++i) {
        const QString number = QString(QChar(0x2460 + i)); // ①..⑥
        auto* edit = bind.textBox(form_.Text1[i]);
        edit->setParent(drawing);
        edit->setFixedWidth(60);
        edit->move(spots[i]);
        edit->setToolTip(QString::fromUtf16(meanings[i]) + QStringLiteral("（1/1440 インチ）"));
        auto* mark = new QLabel(number, drawing);
        // Beside the box, or above it where the row letters stand beside it.
        mark->move(spots[i] + (i == 0 || i == 2 ? QPoint(24, -15) : QPoint(63, 4)));
        lines << number + QString::fromUtf16(meanings[i]);
        QObject::connect(edit, &QLineEdit::textEdited, drawing, [drawing] { drawing->update(); });
    }
    auto* feed = bind.label(form_.Label1, drawing);
    feed->move(spots[5] + QPoint(-100, 4));
    legend->setText(QStringLiteral("数値の単位は 1/1440 インチ（1440 で 1 インチ = 25.4 mm）\n") +
                    lines.join(u'\n'));
    legend->setObjectName(QStringLiteral("positionLegend"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(bind.button(form_.Command1, [this] { form_.Command1_Click(); }));
    buttons->addWidget(bind.button(form_.Command2, [this] { form_.Command2_Click(); }));
    buttons->addStretch();
    buttons->addWidget(closeButton(&cardprint::PrintPositionForm::Picture2_Click));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(drawing);
    layout->addWidget(legend);
    layout->addLayout(buttons);
    afterRefresh = [this] { view_->update(); };
}

// ---- the three together --------------------------------------------------------------------

CardWindows::CardWindows(mainwindow::MainForm& mainForm, QtHost& host, history::AppModule& module,
                         QWidget*)
    : printList(host, module), transfer(mainForm, printList), host_(host),
      previousAfterEvents_(host.afterEvents) {
    transferWindow = std::make_unique<TransferWindow>(transfer, *this);
    printListWindow = std::make_unique<PrintListWindow>(printList, *this);
    positionWindow = std::make_unique<PrintPositionWindow>(printList.frmPrsetn4, *this);
    host_.afterEvents = [this] {
        if (previousAfterEvents_)
            previousAfterEvents_();
        refresh();
    };
}

CardWindows::~CardWindows() {
    host_.afterEvents = previousAfterEvents_;
}

void CardWindows::openTransfer() {
    run([this] { transfer.Show(); }, nullptr);
}

void CardWindows::run(const std::function<void()>& handler, QWidget* over) {
    if (running_) { // a handler's own message box or dialog let another event in
        handler();
        return;
    }
    HandlerScope::run(host_, {.over = over, .running = &running_, .refresh = [this] { refresh(); }},
                      printList.module.files, handler);
}

void CardWindows::refresh() {
    const auto sync = [](QWidget* w, bool visible) {
        if (visible && !w->isVisible()) {
            w->show();
            w->raise();
        } else if (!visible && w->isVisible()) {
            w->hide();
        }
    };
    transferWindow->refresh();
    printListWindow->refresh();
    positionWindow->refresh();
    sync(transferWindow.get(), transfer.visible);
    sync(printListWindow.get(), printList.visible);
    sync(positionWindow.get(), printList.frmPrsetn4.visible);
}

} // namespace gui
