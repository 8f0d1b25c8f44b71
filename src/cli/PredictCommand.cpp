#include "PredictCommand.h"
#include "Options.h"

#include "predict/Analysis.h"
#include "simulate/Narrowing.h"
#include "ui/Numeric.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {

using mainwindow::Grd2Col;
using mainwindow::ListCol;

namespace {

const QStringList kTableKeys = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                                QStringLiteral("D")};
const QStringList kTableCaptions = {QStringLiteral("Ａ"), QStringLiteral("Ｂ"),
                                    QStringLiteral("Ｃ"), QStringLiteral("Ｄ")};

QStringList listItems(const ui::Grid& list, int count) {
    QStringList items;
    for (int r = 1; r <= count; ++r)
        items.append(list.text(r, ListCol::Number));
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
    o[QStringLiteral("wsPrediction")] = f.Grd2.text(draw, Grd2Col::WsPrediction);
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
    out << "W・S予想: " << f.Grd2.text(draw, Grd2Col::WsPrediction) << Qt::endl;
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

PredictCommand::PredictCommand()
    : SessionCommand(QStringLiteral("predict"),
                     QStringLiteral("第N回（既定は次回）を①集計・②集計・③絞りで予想する")) {
    warnsOfOldHistory = true;
    options.append(drawOption(QStringLiteral("予想する回（既定は次回）")));
    options.append(predictionOptions());
    options.append({QStringLiteral("narrow"),
                    QStringLiteral("②集計の後の絞り（既定 sw）: %1")
                        .arg(describeActions(simulate::narrowings())),
                    QStringLiteral("NAME")});
    options.append({QStringLiteral("json"), QStringLiteral("結果を JSON で出力する")});
    options.append(xlsxOption(QStringLiteral("予想表を FILE（.xlsx）に書き出す")));
}

void PredictCommand::readOptions(const QCommandLineParser& parser) {
    levels_ = startLevels(parser);
    singleSize_ = intOption(parser, QStringLiteral("single-size"), 100, 0);
    doubleSize_ = intOption(parser, QStringLiteral("double-size"), 100, 0);
    narrowing_ = &simulate::narrowings().front();
    if (parser.isSet(QStringLiteral("narrow")))
        narrowing_ = &chooseAction(simulate::narrowings(), parser.value(QStringLiteral("narrow")),
                                   QStringLiteral("narrow"));
    pair_ = chosenPair(parser);
}

int PredictCommand::executeWithSession(Session& session, const QCommandLineParser& parser,
                                       QTextStream& out, QTextStream& err) {
    auto& f = session.form;
    const int next = f.HistRows + 1;
    const int draw =
        intOption(parser, QStringLiteral("draw"), static_cast<int>(ui::leadingInt(f.Combo1.text)));
    // The draws before the target that the analysis reads must all be stored.
    if (draw < predict::kFirstPredictableDraw || draw > next) {
        const QString why = QStringLiteral("第%1回は予想できません（第%2回から第%3回まで）。")
                                .arg(draw)
                                .arg(predict::kFirstPredictableDraw)
                                .arg(next);
        // A draw asked for is a bad argument; the next draw of a short history is not.
        if (parser.isSet(QStringLiteral("draw")))
            throw UsageError{why};
        err << why << Qt::endl;
        return kFailed;
    }

    // As the user does: choose the draw, then ①, the pair and ②, the options and ③.
    f.Combo1.text = QString::number(draw);
    f.Combo1_Click();
    f.Command1_Click();
    f.Option2.selected = pair_;
    f.Command2_Click();
    f.Check1.value = parser.isSet(QStringLiteral("more")) ? 1 : 0;
    f.Check2.value = parser.isSet(QStringLiteral("cframe2")) ? 1 : 0;
    if (levels_) {
        applyStartLevels(*levels_, f, false);
        f.runChosenNarrowing();
    } else {
        f.Combo4[0].text = QString::number(singleSize_);
        f.Combo4[1].text = QString::number(doubleSize_);
        (f.*narrowing_->handler)();
    }
    if (!writeXlsxOption(parser, exports::Sheet::Prediction, f, err))
        return kFailed;

    if (parser.isSet(QStringLiteral("json")))
        printJson(f, draw, out);
    else
        printText(f, draw, out);
    return kOk;
}

} // namespace cli
