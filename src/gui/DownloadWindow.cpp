#include "DownloadWindow.h"
#include "BusyBar.h"
#include "HandlerScope.h"

#include "ui/Numeric.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace gui {

namespace {

using download::ResultCol;

// The results grids for a reader: dates as 2026/08/21, the prize class over each 口 and
// 配当 heading, amounts with separators.
QString shownResult(int row, int col, const QString& text) {
    const bool perClass = col >= ResultCol::Winners && col < ResultCol::DigitTable;
    if (row == 0) {
        if (!perClass)
            return text;
        static const char16_t* const kClasses[] = {u"ストレート", u"ボックス", u"セットS",
                                                   u"セットB"};
        return QString::fromUtf16(kClasses[(col - ResultCol::Winners) % 4]) + u'\n' + text;
    }
    if (col == ResultCol::Date && text.size() == 8)
        return text.left(4) + u'/' + text.mid(4, 2) + u'/' + text.right(2);
    bool number = false;
    const long long value = text.toLongLong(&number);
    return perClass && number ? ui::groupThousands(value) : text;
}

} // namespace

DownloadWindow::DownloadWindow(download::DownloadForm& form, QtHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form), host_(host), previousAfterEvents_(host.afterEvents),
      bind_(this, [this](const std::function<void()>& handler) { run(handler); }) {
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
    fl->addWidget(bind_.textBox(f.Text1[0]), 0, 1);
    fl->addWidget(caption(QStringLiteral("時間")), 0, 2);
    fl->addWidget(bind_.textBox(f.Text1[1]), 0, 3);
    fl->addWidget(bind_.button(f.Command1, [&f] { f.Command1_Click(); }), 0, 4);
    fl->addWidget(caption(QStringLiteral("取得抽選回")), 2, 0);
    fl->addWidget(bind_.textBox(f.Text2), 2, 1);
    fl->addWidget(bind_.button(f.Command2, [&f] { f.Command2_Click(); }), 2, 2);
    fl->addWidget(bind_.button(f.Command3, [&f] { f.Command3_Click(); }), 2, 3);
    fl->addWidget(bind_.button(f.Command4, [&f] { f.Command4_Click(); }), 2, 4);

    // The download settings and what the fetching found.
    static const char16_t* const kSettingNames[] = {
        u"基本アドレス",     u"Prefix番号取得用",   u"CSVヘッド",     u"取得Prefix番号",
        u"Prefix取得File名", u"取得抽選結果File名", u"取得最新抽選回"};
    // Internals a player seldom needs, folded away under "詳細" with the timestamp.
    auto* settings = new QGroupBox(QStringLiteral("設定"));
    auto* sl = new QGridLayout(settings);
    sl->addWidget(caption(QStringLiteral("タイムスタンプ")), 0, 0);
    sl->addWidget(label(f.Label2), 0, 1);
    for (int i = 0; i < 7; ++i) {
        sl->addWidget(caption(QString::fromUtf16(kSettingNames[i])), i + 1, 0);
        sl->addWidget(label(f.Label3[i]), i + 1, 1);
    }
    sl->setColumnStretch(1, 1);
    settings->setVisible(false);
    auto* details = new QToolButton;
    details->setObjectName(QStringLiteral("details"));
    details->setText(QStringLiteral("詳細"));
    details->setCheckable(true);
    details->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    details->setArrowType(Qt::RightArrow);
    details->setToolTip(QStringLiteral("タイムスタンプ、取得先のアドレスとファイル名"));
    connect(details, &QToolButton::toggled, settings, [details, settings](bool open) {
        settings->setVisible(open);
        details->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
    });

    // The parsed draw and its append.
    auto* parsed = new QGroupBox(QStringLiteral("取得した抽選結果"));
    auto* pl = new QVBoxLayout(parsed);
    auto* drawView = bind_.grid(f.Grd1, 1);
    drawView->gridModel()->shown = shownResult;
    drawView->setFixedHeight(3 * 20 + 8); // two-line headings
    drawView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pl->addWidget(drawView);
    auto* appendRow = new QHBoxLayout;
    appendRow->addWidget(bind_.button(f.Command7, [&f] { f.Command7_Click(); }));
    appendRow->addStretch();
    appendRow->addWidget(bind_.button(f.Command6, [&f] { f.Command6_Click(); }));
    appendRow->addWidget(label(f.Label3[7]));
    pl->addLayout(appendRow);

    // The catch-up.
    auto* catchUp = new QGroupBox(QStringLiteral("最新回までの取得"));
    auto* cl = new QHBoxLayout(catchUp);
    cl->addWidget(bind_.button(f.Command9, [&f] { f.Command9_Click(); }));
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
    rl->addWidget(bind_.button(f.Command8, [&f] { f.Command8_Click(); }));
    rl->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(fetch);
    left->addWidget(details);
    left->addWidget(settings);
    left->addWidget(parsed);
    left->addWidget(catchUp);
    left->addWidget(frame);
    left->addStretch();

    // The history listing.
    auto* listing = new QGroupBox(QStringLiteral("既存抽選結果"));
    auto* ll = new QVBoxLayout(listing);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(bind_.button(f.Command5, [&f] { f.Command5_Click(); }));
    listRow->addStretch();
    ll->addLayout(listRow);
    auto* listView = bind_.grid(f.Grd2, 1);
    listView->gridModel()->shown = shownResult;
    ll->addWidget(listView, 1);

    auto* panes = new QHBoxLayout;
    panes->addLayout(left, 0);
    panes->addWidget(listing, 1);
    busy_ = new BusyBar(this);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(panes, 1);
    outer->addWidget(busy_);
    resize(1300, 680);
    refresh();
}

DownloadWindow::~DownloadWindow() {
    host_.afterEvents = previousAfterEvents_;
}

QLabel* DownloadWindow::label(const ui::Label& control) {
    auto* l = bind_.label(control);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(60);
    return l;
}

void DownloadWindow::run(const std::function<void()>& handler) {
    // Messages over this window, and its downloads shown here.
    const auto refreshAll = [this] {
        if (host_.afterEvents)
            host_.afterEvents();
    };
    HandlerScope::run(host_, {.over = this, .progress = busy_, .refresh = refreshAll},
                      form_.module.files, handler);
}

void DownloadWindow::refresh() {
    bind_.refresh();
}

} // namespace gui
