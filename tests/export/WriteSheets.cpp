// Writes the prediction sheet and the tally sheet the way the window's pictures do, from a
// real prediction and real tallies over the bundled history, and describes what went in.
// check_sheets.py reads the workbooks back with an independent reader.
//   write-sheets OUTDIR
#include "support/TestHistory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonArray list(const ui::Grid& g, int count) {
    QJsonArray rows;
    for (int r = 1; r <= count; ++r)
        rows.append(QJsonArray{g.text(r, 0), g.text(r, 1)});
    return rows;
}

// The labels' captions under their names, given as one text.
void captions(QJsonObject& o, const char* names, std::initializer_list<const ui::Label*> labels) {
    const QStringList keys = QString::fromLatin1(names).split(u' ');
    for (qsizetype i = 0; const ui::Label* label : labels)
        o[keys[i++]] = label->caption;
}

QJsonObject prediction(const mainwindow::MainForm& f) {
    QJsonObject o{{"sheet", "prediction"}};
    captions(o, "LabDays LabKai Label2 Label8 LabYDS LabYSS LabYOP",
             {&f.LabDays, &f.LabKai, &f.Label2, &f.Label8, &f.LabYDS, &f.LabYSS, &f.LabYOP});
    o["basicS"] = list(f.GrdSS, f.basicCountS);
    o["basicW"] = list(f.GrdWW, f.basicCountW);
    o["narrowS"] = list(f.GrdSS2, f.narrowCountS);
    o["narrowW"] = list(f.GrdWW2, f.narrowCountW);
    return o;
}

QJsonObject tally(const mainwindow::MainForm& f) {
    QJsonObject o{{"sheet", "tally"}, {"simRows", f.simRows}};
    captions(o, "LabKnen LabKmon LabKDS LabKSS LabKOP",
             {&f.LabKnen, &f.LabKmon, &f.LabKDS, &f.LabKSS, &f.LabKOP});
    QJsonArray rows;
    for (int r = 0; r <= f.simRows + 2; ++r) {
        QJsonArray cells;
        for (int c = 0; c < 18; ++c)
            cells.append(f.GrdSM.text(r, c));
        rows.append(cells);
    }
    o["GrdSM"] = rows;
    o["month"] = f.Option1.selected == 1;
    return o;
}

void runTally(mainwindow::MainForm& f, bool byMonth) {
    f.Combo4[0].text = QStringLiteral("100");
    f.Combo4[1].text = QStringLiteral("100");
    f.Option1.selected = byMonth ? 1 : 0;
    f.Combo1.text = QStringLiteral("200"); // draws 190 to 199, of 1996
    f.Combo3[2].text = QStringLiteral("10");
    f.Combo3[0].text = QStringLiteral("2026");
    f.Combo3[1].text = QStringLiteral("7");
    f.Command3_Click();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QDir outDir(QString::fromLocal8Bit(argv[1]));
    testing_support::Workspace ws;
    ws.writeHistoryRecords(testing_support::bundledHistory());
    auto& f = ws.load();
    QJsonArray exports;
    auto exportWith = [&](void (mainwindow::MainForm::*click)(), QJsonObject described) {
        const qsizetype before = ws.host.openedFiles.size();
        (f.*click)();
        if (ws.host.openedFiles.size() != before + 1 || !ws.host.messages.empty())
            return false;
        const QString written = ws.host.openedFiles.last();
        described["file"] = QFileInfo(written).fileName();
        exports.append(described);
        return QFile::copy(written, outDir.filePath(QFileInfo(written).fileName()));
    };

    // A prediction as the prediction area runs it, with options told apart by their captions.
    f.Combo1.text = QStringLiteral("7001");
    f.Combo1_Click();
    f.Command1_Click();
    f.Option2.selected = 0;
    f.Command2_Click();
    f.Combo4[0].text = QStringLiteral("100");
    f.Combo4[1].text = QStringLiteral("100");
    f.Command4_Click();
    f.LabYSS.caption = QStringLiteral("普通");
    f.LabYDS.caption = QStringLiteral("強い");
    f.LabYOP.caption = QStringLiteral("Off");
    bool ok = f.basicCountS > 0 && f.narrowCountS > 0 &&
              exportWith(&mainwindow::MainForm::Image3_Click, prediction(f));
    // The same draw again, with no basic S list: a second file, S columns untouched.
    f.basicCountS = 0;
    ok = ok && exportWith(&mainwindow::MainForm::Image3_Click, prediction(f));

    // Ten draws with a what-if, and marks in the narrow columns that must not be copied.
    f.LabKSS.caption = QStringLiteral("弱い");
    f.LabKDS.caption = QStringLiteral("普通");
    f.LabKOP.caption = QStringLiteral("ON");
    runTally(f, false);
    f.Command6_Click();
    for (int r = 1; r <= f.simRows + 2; ++r)
        for (int c : {7, 12, 15})
            f.GrdSM.setText(r, c, QStringLiteral("x%1").arg(c));
    ok = ok && f.simRows == 10 && exportWith(&mainwindow::MainForm::Image4_Click, tally(f));
    // A month as シュミ集計 leaves it.
    f.LabKnen.caption = QStringLiteral("2026");
    f.LabKmon.caption = QStringLiteral("07");
    runTally(f, true);
    ok = ok && f.simRows > 10 && exportWith(&mainwindow::MainForm::Image4_Click, tally(f));

    QFile manifest(outDir.filePath(QStringLiteral("manifest.json")));
    if (!ok || !manifest.open(QIODevice::WriteOnly))
        return 1;
    manifest.write(QJsonDocument(exports).toJson());
    return 0;
}
