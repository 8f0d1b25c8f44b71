// The commands of the verification: verify (シュミ集計 with its what-ifs) and back100.
#include "Cli.h"

#include "ui/Numeric.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace cli {

namespace {

constexpr int kTallyCols = 18;
using mainwindow::kFirstPredictableDraw;

int usage(QTextStream& err, const QString& message) {
    err << message << Qt::endl;
    return kUsage;
}

// The draw whose predecessors are listed: --draw, else the draw after the latest one.
bool chosenDraw(Args& args, const mainwindow::MainForm& f, int& draw, QTextStream& err) {
    draw = args.intValue(QStringLiteral("--draw"), f.HistRows + 1);
    if (!args.error.isEmpty()) {
        usage(err, args.error);
        return false;
    }
    if (draw < 1 || draw > f.HistRows + 1) {
        usage(err, QStringLiteral("--draw には 1 から %1 までの回を指定してください。")
                       .arg(f.HistRows + 1));
        return false;
    }
    return true;
}

QString csvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n'))
        return text;
    return u'"' + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

void printTally(const mainwindow::MainForm& f, const Args& args, QTextStream& out) {
    const ui::Grid& sm = f.GrdSM;
    const int lastRow = f.simRows + 2;
    if (args.has(QStringLiteral("--json"))) {
        QJsonArray rows;
        for (int r = 1; r <= lastRow; ++r) {
            QJsonArray cells;
            for (int c = 0; c < kTallyCols; ++c)
                cells.append(sm.text(r, c));
            rows.append(cells);
        }
        const QJsonObject doc{{QStringLiteral("simRows"), f.simRows},
                              {QStringLiteral("rows"), rows}};
        out << QJsonDocument(doc).toJson(QJsonDocument::Compact) << Qt::endl;
        return;
    }
    if (args.has(QStringLiteral("--csv"))) {
        for (int r = 1; r <= lastRow; ++r) {
            QStringList cells;
            for (int c = 0; c < kTallyCols; ++c)
                cells.append(csvField(sm.text(r, c)));
            out << cells.join(u',') << "\r\n";
        }
        out.flush();
        return;
    }
    // The plain table leaves out the three narrow separator columns.
    auto line = [&](int r) {
        QStringList cells;
        for (int c = 0; c < kTallyCols; ++c)
            if (c != 7 && c != 12 && c != 15)
                cells.append(sm.text(r, c));
        out << cells.join(u'\t') << Qt::endl;
    };
    for (int r = 0; r <= lastRow; ++r)
        line(r);
    out << f.Label6.caption << Qt::endl;
}

} // namespace

int cmdVerify(const QStringList& words, QTextStream& out, QTextStream& err) {
    Args args = parseArgs(words,
                          {QStringLiteral("--more"), QStringLiteral("--cframe2"),
                           QStringLiteral("--json"), QStringLiteral("--csv")},
                          {QStringLiteral("--month"), QStringLiteral("--count"),
                           QStringLiteral("--draw"), QStringLiteral("--pair"),
                           QStringLiteral("--narrow"), QStringLiteral("--single-size"),
                           QStringLiteral("--double-size"), QStringLiteral("--whatif")});
    if (!args.error.isEmpty())
        return usage(err, args.error);
    if (!args.positional.isEmpty())
        return usage(err, QStringLiteral("不明な引数です: %1").arg(args.positional.join(u' ')));

    const bool byMonth = args.values.contains(QStringLiteral("--month"));
    const bool byCount = args.values.contains(QStringLiteral("--count"));
    if (byMonth == byCount)
        return usage(err, QStringLiteral("--month YYYY-MM か --count C のどちらか一つを指定して"
                                         "ください。"));
    if (byMonth && args.values.contains(QStringLiteral("--draw")))
        return usage(err, QStringLiteral("--draw は --count と一緒に指定してください。"));
    if (args.has(QStringLiteral("--json")) && args.has(QStringLiteral("--csv")))
        return usage(err, QStringLiteral("--json と --csv は一緒に指定できません。"));

    int year = 0;
    int month = 0;
    if (byMonth) {
        static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{2})$"));
        const auto m = pattern.match(args.value(QStringLiteral("--month")));
        month = m.hasMatch() ? m.captured(2).toInt() : 0;
        if (month < 1 || month > 12)
            return usage(err, QStringLiteral("--month は YYYY-MM の形で指定してください: %1")
                                  .arg(args.value(QStringLiteral("--month"))));
        year = m.captured(1).toInt();
    }
    const int count = args.intValue(QStringLiteral("--count"), 0);
    const int singleSize = args.intValue(QStringLiteral("--single-size"), 100);
    const int doubleSize = args.intValue(QStringLiteral("--double-size"), 100);
    if (!args.error.isEmpty())
        return usage(err, args.error);
    if (byCount && count < 1)
        return usage(err, QStringLiteral("--count には 1 以上の整数を指定してください。"));
    if (singleSize < 0 || doubleSize < 0)
        return usage(err,
                     QStringLiteral("--single-size と --double-size は 0 以上にしてください。"));

    static const QStringList pairs = {QStringLiteral("AC"), QStringLiteral("AB"),
                                      QStringLiteral("CD"), QStringLiteral("BC"),
                                      QStringLiteral("AD"), QStringLiteral("BD")};
    const int pair = pairs.indexOf(args.value(QStringLiteral("--pair"), pairs[0]).toUpper());
    if (pair < 0)
        return usage(err, QStringLiteral("--pair は AC, AB, CD, BC, AD, BD のどれかです。"));

    static const QStringList narrowings = {QStringLiteral("sw"), QStringLiteral("cframe"),
                                           QStringLiteral("axis"), QStringLiteral("axis2")};
    const int narrow = narrowings.indexOf(args.value(QStringLiteral("--narrow"), narrowings[0]));
    if (narrow < 0)
        return usage(err, QStringLiteral("--narrow は sw, cframe, axis, axis2 のどれかです。"));

    static const QStringList whatIfs = {QStringLiteral("all"), QStringLiteral("w"),
                                        QStringLiteral("s"), QStringLiteral("perfect"),
                                        QStringLiteral("narrowed")};
    const bool withWhatIf = args.values.contains(QStringLiteral("--whatif"));
    const int whatIf = whatIfs.indexOf(args.value(QStringLiteral("--whatif")));
    if (withWhatIf && whatIf < 0)
        return usage(err,
                     QStringLiteral("--whatif は all, w, s, perfect, narrowed のどれかです。"));

    Session s(err);
    s.form.Form_Load(false);
    auto& f = s.form;
    if (f.HistRows == 0) {
        err << "抽選履歴がありません（" << s.module.files.HistPath << "）。" << Qt::endl;
        return kFailed;
    }

    f.GrdSMClear();
    f.Option2.selected = pair;
    f.Check1.value = args.has(QStringLiteral("--more")) ? 1 : 0;
    f.Check2.value = args.has(QStringLiteral("--cframe2")) ? 1 : 0;
    f.Check3.value = narrow == 1 ? 1 : 0;
    f.Check4.value = narrow == 2 ? 1 : 0;
    f.Check5.value = narrow == 3 ? 1 : 0;
    f.Combo4[0].text = QString::number(singleSize);
    f.Combo4[1].text = QString::number(doubleSize);

    if (byMonth) {
        f.Option1.selected = 1;
        f.Combo3[0].text = QString::number(year);
        f.Combo3[1].text = QString::number(month);
        f.NenGetuS();
        if (f.monthFirstDraw == 0)
            return usage(
                err,
                QStringLiteral("%1年%2月の抽選結果のデータがありません。").arg(year).arg(month));
    } else {
        int draw = 0;
        if (!chosenDraw(args, f, draw, err))
            return kUsage;
        const int available = std::max(0, draw - kFirstPredictableDraw);
        if (count > available)
            return usage(err, QStringLiteral("--count %1: 第%2回の前に検証できるのは %3 回までです"
                                             "（第%4回から）。")
                                  .arg(count)
                                  .arg(draw)
                                  .arg(available)
                                  .arg(kFirstPredictableDraw));
        f.Option1.selected = 0;
        f.Combo1.text = QString::number(draw);
        f.Combo3[2].text = QString::number(count);
    }

    f.Command3_Click();
    if (withWhatIf) {
        using Handler = void (mainwindow::MainForm::*)();
        static const Handler handlers[] = {
            &mainwindow::MainForm::Command6_Click, &mainwindow::MainForm::Command7_Click,
            &mainwindow::MainForm::Command8_Click, &mainwindow::MainForm::Command11_Click,
            &mainwindow::MainForm::Command15_Click};
        (f.*handlers[whatIf])();
    }
    printTally(f, args, out);
    return kOk;
}

int cmdBack100(const QStringList& words, QTextStream& out, QTextStream& err) {
    Args args = parseArgs(words, {}, {QStringLiteral("--draw")});
    if (!args.error.isEmpty())
        return usage(err, args.error);
    if (!args.positional.isEmpty())
        return usage(err, QStringLiteral("不明な引数です: %1").arg(args.positional.join(u' ')));
    Session s(err);
    s.form.Form_Load(false);
    auto& f = s.form;
    int draw = 0;
    if (!chosenDraw(args, f, draw, err))
        return kUsage;
    f.Combo1.text = QString::number(draw);
    f.Command5_Click();
    out << "回\t当数\t同ボックス\t間隔" << Qt::endl;
    for (int r = 1; r <= 100; ++r) {
        // Before draw 101 there are fewer than 100 draws to list.
        if (f.GrdR.text(r, 0).isEmpty())
            break;
        out << f.GrdR.text(r, 0) << '\t' << f.GrdR.text(r, 1) << '\t' << f.GrdR.text(r, 2) << '\t'
            << f.GrdR.text(r, 3) << Qt::endl;
    }
    return kOk;
}

} // namespace cli
