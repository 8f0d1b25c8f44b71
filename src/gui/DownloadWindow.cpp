#include "DownloadWindow.h"

#include "history/HistoryFiles.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gui {

namespace {

QLabel* caption(const QString& text) {
    auto* l = new QLabel(text);
    l->setStyleSheet(QStringLiteral("color: #505050;"));
    return l;
}

} // namespace

DownloadWindow::DownloadWindow(download::DownloadForm& form, QtHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form), host_(host),
      previousAfterEvents_(host.afterEvents) {
    setWindowTitle(QStringLiteral("ナンバーズ４抽選結果ダウンロード"));
    host_.afterEvents = [this] {
        if (previousAfterEvents_)
            previousAfterEvents_();
        refresh();
    };
    auto& f = form_;

    // Fetching: the timestamp, the draw to fetch and the three steps.
    auto* fetch = new QGroupBox(QStringLiteral("抽選結果の取得"));
    auto* fl = new QGridLayout(fetch);
    fl->addWidget(caption(QStringLiteral("日付")), 0, 0);
    fl->addWidget(textBox(f.Text1[0]), 0, 1);
    fl->addWidget(caption(QStringLiteral("時間")), 0, 2);
    fl->addWidget(textBox(f.Text1[1]), 0, 3);
    fl->addWidget(button(f.Command1, [&f] { f.Command1_Click(); }), 0, 4);
    fl->addWidget(caption(QStringLiteral("タイムスタンプ")), 1, 0);
    fl->addWidget(label(f.Label2), 1, 1, 1, 3);
    fl->addWidget(caption(QStringLiteral("取得抽選回")), 2, 0);
    fl->addWidget(textBox(f.Text2), 2, 1);
    fl->addWidget(button(f.Command2, [&f] { f.Command2_Click(); }), 2, 2);
    fl->addWidget(button(f.Command3, [&f] { f.Command3_Click(); }), 2, 3);
    fl->addWidget(button(f.Command4, [&f] { f.Command4_Click(); }), 2, 4);

    // The download settings and what the fetching found.
    static const char16_t* const kSettingNames[] = {
        u"基本アドレス",     u"Prefix番号取得用",   u"CSVヘッド",     u"取得Prefix番号",
        u"Prefix取得File名", u"取得抽選結果File名", u"取得最新抽選回"};
    auto* settings = new QGroupBox(QStringLiteral("設定"));
    auto* sl = new QGridLayout(settings);
    for (int i = 0; i < 7; ++i) {
        sl->addWidget(caption(QString::fromUtf16(kSettingNames[i])), i, 0);
        sl->addWidget(label(f.Label3[i]), i, 1);
    }
    sl->setColumnStretch(1, 1);

    // The parsed draw and its append.
    auto* parsed = new QGroupBox(QStringLiteral("取得した抽選結果"));
    auto* pl = new QVBoxLayout(parsed);
    auto* drawView = grid(f.Grd1);
    drawView->setFixedHeight(2 * 20 + 8);
    drawView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pl->addWidget(drawView);
    auto* appendRow = new QHBoxLayout;
    appendRow->addWidget(button(f.Command7, [&f] { f.Command7_Click(); }));
    appendRow->addStretch();
    appendRow->addWidget(button(f.Command6, [&f] { f.Command6_Click(); }));
    appendRow->addWidget(label(f.Label3[7]));
    pl->addLayout(appendRow);

    // The catch-up.
    auto* catchUp = new QGroupBox(QStringLiteral("最新回までの取得"));
    auto* cl = new QHBoxLayout(catchUp);
    cl->addWidget(button(f.Command9, [&f] { f.Command9_Click(); }));
    cl->addWidget(
        caption(QStringLiteral("一連の動作を集約（現データの次の回から最新回までのデータの生成")));
    cl->addStretch();
    cl->addWidget(caption(QStringLiteral("生成回")));
    cl->addWidget(label(f.Label5[0]));
    cl->addWidget(caption(QStringLiteral("から")));
    cl->addWidget(label(f.Label5[1]));
    cl->addWidget(caption(QStringLiteral("まで")));

    // The regeneration from the import file.
    auto* frame = new QGroupBox(f.Frame1.caption);
    auto* rl = new QHBoxLayout(frame);
    rl->addWidget(caption(QStringLiteral("取込File")));
    rl->addWidget(label(f.Label4[0]));
    rl->addWidget(caption(QStringLiteral("生成File")));
    rl->addWidget(label(f.Label4[1]));
    rl->addWidget(button(f.Command8, [&f] { f.Command8_Click(); }));
    rl->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(fetch);
    left->addWidget(settings);
    left->addWidget(parsed);
    left->addWidget(catchUp);
    left->addWidget(frame);
    left->addStretch();

    // The history listing.
    auto* listing = new QGroupBox(QStringLiteral("既存抽選結果"));
    auto* ll = new QVBoxLayout(listing);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(button(f.Command5, [&f] { f.Command5_Click(); }));
    listRow->addStretch();
    ll->addLayout(listRow);
    ll->addWidget(grid(f.Grd2), 1);

    auto* outer = new QHBoxLayout(this);
    outer->addLayout(left, 0);
    outer->addWidget(listing, 1);
    resize(1300, 680);
    refresh();
}

DownloadWindow::~DownloadWindow() {
    host_.afterEvents = previousAfterEvents_;
}

QLabel* DownloadWindow::label(const ui::Label& control, bool framed) {
    auto* l = new QLabel;
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (framed) {
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(60);
    }
    labels_.emplace_back(l, &control);
    return l;
}

QPushButton* DownloadWindow::button(ui::Button& control, std::function<void()> handler) {
    auto* b = new QPushButton;
    connect(b, &QPushButton::clicked, this, [this, handler] { run(handler); });
    buttons_.emplace_back(b, &control);
    return b;
}

QLineEdit* DownloadWindow::textBox(ui::TextBox& control) {
    auto* e = new QLineEdit;
    e->setMaximumWidth(110);
    connect(e, &QLineEdit::textEdited, this,
            [&control](const QString& text) { control.text = text; });
    edits_.emplace_back(e, &control);
    return e;
}

GridView* DownloadWindow::grid(const ui::Grid& control) {
    auto* view = new GridView(control, 1);
    grids_.push_back(view);
    return view;
}

QPushButton* DownloadWindow::buttonFor(const ui::Button& control) const {
    for (const auto& [widget, c] : buttons_)
        if (c == &control)
            return widget;
    return nullptr;
}

QLineEdit* DownloadWindow::editFor(const ui::TextBox& control) const {
    for (const auto& [widget, c] : edits_)
        if (c == &control)
            return widget;
    return nullptr;
}

GridView* DownloadWindow::gridView(const ui::Grid& control) const {
    for (auto* view : grids_)
        if (&view->gridModel()->grid() == &control)
            return view;
    return nullptr;
}

void DownloadWindow::run(const std::function<void()>& handler) {
    QWidget* previousParent = host_.parent;
    host_.parent = this; // messages over this window
    try {
        handler();
    } catch (const history::FileError& e) {
        form_.files.CloseAll();
        host_.messageBox(e.message(), QString());
    }
    host_.parent = previousParent;
    if (host_.afterEvents)
        host_.afterEvents();
}

void DownloadWindow::refresh() {
    for (auto& [widget, control] : labels_)
        widget->setText(control->caption);
    for (auto& [widget, control] : buttons_) {
        widget->setText(control->caption);
        widget->setEnabled(control->enabled);
        widget->setVisible(control->visible);
    }
    for (auto& [widget, control] : edits_)
        if (widget->text() != control->text)
            widget->setText(control->text);
    for (auto* view : grids_)
        view->refresh();
}

} // namespace gui
