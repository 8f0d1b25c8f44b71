// tessarin-cli predict: ①集計, ②集計 and ③S・W絞り for one draw, as a user runs them by hand.
#include "Cli.h"

#include "simulate/Narrowing.h"

#include "ui/Numeric.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {

namespace {

const QStringList kTableKeys = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                                QStringLiteral("D")};
const QStringList kTableCaptions = {QStringLiteral("Ａ"), QStringLiteral("Ｂ"),
                                    QStringLiteral("Ｃ"), QStringLiteral("Ｄ")};

QStringList listItems(const ui::Grid& list, int count) {
    QStringList items;
    for (int r = 1; r <= count; ++r)
        items.append(list.text(r, 1));
    return items;
}

void printJson(const mainwindow::MainForm& f, int draw, QTextStream& out) {
    QJsonObject tables;
    for (int c = 0; c < 4; ++c)
        tables[kTableKeys[c]] =
            QJsonArray::fromStringList(simulate::digitColumn(f.Grd1a, c, f.Grd1a.rows() - 1));
    QJsonObject o;
    o[QStringLiteral("draw")] = draw;
    o[QStringLiteral("winning")] = f.Label2.caption;
    o[QStringLiteral("digitTables")] = tables;
    o[QStringLiteral("marker")] = f.Label12.caption;
    o[QStringLiteral("axis")] =
        QJsonArray::fromStringList({f.LabJiku[0].caption, f.LabJiku[1].caption});
    o[QStringLiteral("wsPrediction")] = f.Grd2.text(draw, 10);
    o[QStringLiteral("basicS")] = QJsonArray::fromStringList(listItems(f.GrdSS, f.basicCountS));
    o[QStringLiteral("basicW")] = QJsonArray::fromStringList(listItems(f.GrdWW, f.basicCountW));
    o[QStringLiteral("narrowS")] = QJsonArray::fromStringList(listItems(f.GrdSS2, f.narrowCountS));
    o[QStringLiteral("narrowW")] = QJsonArray::fromStringList(listItems(f.GrdWW2, f.narrowCountW));
    o[QStringLiteral("hitS")] = f.hitS;
    o[QStringLiteral("hitW")] = f.hitW;
    o[QStringLiteral("narrowHit")] = f.narrowHit;
    o[QStringLiteral("winKeyS")] = f.winKeyS;
    o[QStringLiteral("winKeyW")] = f.winKeyW;
    out << QJsonDocument(o).toJson(QJsonDocument::Compact) << Qt::endl;
}

void printList(const QString& title, const QStringList& items, QTextStream& out) {
    out << title << "（" << items.size() << "件）:";
    for (qsizetype i = 0; i < items.size(); ++i)
        out << (i % 15 == 0 ? "\n  " : " ") << items[i];
    out << Qt::endl;
}

void printText(const mainwindow::MainForm& f, int draw, QTextStream& out) {
    out << f.LabKai.caption << " " << f.LabDays.caption << Qt::endl;
    out << "当数: "
        << (f.Label2.caption.isEmpty() ? QStringLiteral("（未抽選）") : f.Label2.caption)
        << Qt::endl;
    out << "W・S予想: " << f.Grd2.text(draw, 10) << Qt::endl;
    out << "基本数値表:";
    for (int c = 0; c < 4; ++c)
        out << "  " << kTableCaptions[c] << " "
            << simulate::digitColumn(f.Grd1a, c, f.Grd1a.rows() - 1).join(u' ');
    out << Qt::endl;
    out << "マーカー数字: " << f.Label12.caption << "  軸数字: " << f.LabJiku[0].caption << " "
        << f.LabJiku[1].caption << "  K: " << f.Label11.caption << Qt::endl;
    printList(QStringLiteral("基本 S"), listItems(f.GrdSS, f.basicCountS), out);
    printList(QStringLiteral("基本 W"), listItems(f.GrdWW, f.basicCountW), out);
    printList(QStringLiteral("絞り S"), listItems(f.GrdSS2, f.narrowCountS), out);
    printList(QStringLiteral("絞り W"), listItems(f.GrdWW2, f.narrowCountW), out);
    if (f.Label2.caption.isEmpty())
        return;
    auto basic = [](const QString& key) { return key.isEmpty() ? QStringLiteral("なし") : key; };
    out << "当たり: 基本 S " << basic(f.winKeyS) << "  基本 W " << basic(f.winKeyW) << "  絞り "
        << (f.narrowHit == 1   ? QStringLiteral("S")
            : f.narrowHit == 2 ? QStringLiteral("W")
                               : QStringLiteral("なし"))
        << Qt::endl;
}

} // namespace

int cmdPredict(const QStringList& words, QTextStream& out, QTextStream& err) {
    const QString drawOpt = QStringLiteral("--draw");
    const QString pairOpt = QStringLiteral("--pair");
    const QString singleOpt = QStringLiteral("--single-size");
    const QString doubleOpt = QStringLiteral("--double-size");
    Args args = parseArgs(
        words, {QStringLiteral("--more"), QStringLiteral("--cframe2"), QStringLiteral("--json")},
        {drawOpt, pairOpt, singleOpt, doubleOpt, QStringLiteral("--narrow")});
    const int drawArg = args.intValue(drawOpt, 0);
    const int singles = args.intValue(singleOpt, 100);
    const int doubles = args.intValue(doubleOpt, 100);
    if (args.error.isEmpty() && !args.positional.isEmpty())
        args.error = QStringLiteral("不明な引数です: %1").arg(args.positional.join(u' '));
    if (args.error.isEmpty() && (singles < 0 || doubles < 0))
        args.error = QStringLiteral("絞りの件数には 0 以上の整数を指定してください。");
    if (!args.error.isEmpty()) {
        err << args.error << Qt::endl;
        return kUsage;
    }

    // The narrowing run after ②集計, as the buttons of the prediction tab.
    using Narrowing = void (mainwindow::MainForm::*)();
    static const QMap<QString, Narrowing> narrowings = {
        {QStringLiteral("sw"), &mainwindow::MainForm::Command4_Click},
        {QStringLiteral("cframe"), &mainwindow::MainForm::Command12_Click},
        {QStringLiteral("axis"), &mainwindow::MainForm::Command13_Click},
        {QStringLiteral("axis2"), &mainwindow::MainForm::Command14_Click},
        {QStringLiteral("more"), &mainwindow::MainForm::Command10_Click},
        {QStringLiteral("test"), &mainwindow::MainForm::Command9_Click}};
    const QString narrowName = args.value(QStringLiteral("--narrow"), QStringLiteral("sw"));
    if (!narrowings.contains(narrowName)) {
        err << "--narrow には sw|cframe|axis|axis2|more|test のどれかを指定してください。"
            << Qt::endl;
        return kUsage;
    }

    Session s(err);
    auto& f = s.form;
    const qsizetype pair = f.Option2.captions.indexOf(args.value(pairOpt, "AC").toUpper());
    if (pair < 0) {
        err << "--pair には " << f.Option2.captions.join(u'|') << " のどれかを指定してください。"
            << Qt::endl;
        return kUsage;
    }
    f.Form_Load(false);
    const int next = f.HistRows + 1;
    const int draw =
        args.values.contains(drawOpt) ? drawArg : static_cast<int>(ui::leadingInt(f.Combo1.text));
    // The 50 draws before the target must all be stored.
    if (draw < 51 || draw > next) {
        err << "第" << draw << "回は予想できません（第51回から第" << next << "回まで）。"
            << Qt::endl;
        // A draw asked for is a bad argument; the next draw of a short history is not.
        return args.values.contains(drawOpt) ? kUsage : kFailed;
    }

    // As the user does: choose the draw, then ①, the pair and ②, the options and ③.
    f.Combo1.text = QString::number(draw);
    f.Combo1_Click();
    f.Command1_Click();
    f.Option2.selected = static_cast<int>(pair);
    f.Command2_Click();
    f.Check1.value = args.has(QStringLiteral("--more")) ? 1 : 0;
    f.Check2.value = args.has(QStringLiteral("--cframe2")) ? 1 : 0;
    f.Combo4[0].text = QString::number(singles);
    f.Combo4[1].text = QString::number(doubles);
    (f.*narrowings.value(narrowName))();

    if (args.has(QStringLiteral("--json")))
        printJson(f, draw, out);
    else
        printText(f, draw, out);
    return kOk;
}

} // namespace cli
