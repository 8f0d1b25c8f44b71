#include "VerifyCommand.h"

#include "Options.h"

#include "charts/PaintedChart.h"
#include "predict/Analysis.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {

namespace {

using Settings = TallySettings;

constexpr int kTallyCols = 18;

Settings readSettings(const QCommandLineParser& parser) {
    const auto isSet = [&](const char* name) { return parser.isSet(QLatin1StringView(name)); };
    Settings s = readTallyRange(parser);
    s.levels = startLevels(parser);
    s.pair = chosenPair(parser);
    if (isSet("narrow"))
        s.narrowing = &chooseAction(simulate::narrowings(), parser.value(QStringLiteral("narrow")),
                                    QStringLiteral("narrow"), true);
    if (isSet("whatif"))
        s.whatIf = &chooseAction(simulate::whatIfs(), parser.value(QStringLiteral("whatif")),
                                 QStringLiteral("whatif"));
    return s;
}

// シュミ集計, then the what-if asked for.
void runTally(const Settings& s, mainwindow::MainForm& f) {
    f.Command3_Click();
    if (s.whatIf)
        (f.*s.whatIf->handler)();
}

QString csvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n'))
        return text;
    return u'"' + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

void printTally(const mainwindow::MainForm& f, Settings::Format format, QTextStream& out) {
    const ui::Grid& sm = f.GrdSM;
    const int lastRow = f.simRows + 2;
    switch (format) {
    case Settings::Format::Json: {
        QJsonArray rows;
        for (int r = 1; r <= lastRow; ++r) {
            QJsonArray cells;
            for (int c = 0; c < kTallyCols; ++c)
                cells.append(sm.text(r, c));
            rows.append(cells);
        }
        const simulate::Baseline& b = f.tallyBaseline;
        const QJsonObject baseline{{QStringLiteral("expectedHits"), b.expectedHits},
                                   {QStringLiteral("expectedPayout"), b.expectedPayoutYen},
                                   {QStringLiteral("pAtLeast"), b.pAtLeast}};
        const QJsonObject doc{{QStringLiteral("simRows"), f.simRows},
                              {QStringLiteral("rows"), rows},
                              {QStringLiteral("baseline"), baseline}};
        out << QJsonDocument(doc).toJson(QJsonDocument::Compact) << Qt::endl;
        return;
    }
    case Settings::Format::Csv:
        for (int r = 1; r <= lastRow; ++r) {
            QStringList cells;
            for (int c = 0; c < kTallyCols; ++c)
                cells.append(csvField(sm.text(r, c)));
            out << cells.join(u',') << "\r\n";
        }
        out.flush();
        return;
    case Settings::Format::Table:
        // The plain table leaves out the three narrow separator columns.
        for (int r = 0; r <= lastRow; ++r) {
            QStringList cells;
            for (int c = 0; c < kTallyCols; ++c)
                if (c != 7 && c != 12 && c != 15)
                    cells.append(sm.text(r, c));
            out << cells.join(u'\t') << Qt::endl;
        }
        out << f.Label6.caption << Qt::endl;
        if (const auto money = simulate::tallyMoney(f))
            out << simulate::moneyCaption(*money) << Qt::endl;
        if (const auto shown = simulate::shownWhatIf(f))
            out << (f.*shown->action->button).caption << QStringLiteral(": ")
                << simulate::moneyCaption(shown->money) << Qt::endl;
        out << f.LabBaseline.caption << Qt::endl;
        return;
    }
}

} // namespace

ApplicationKind VerifyCommand::applicationKind(const QStringList& words) const {
    return givesOption(words, QStringLiteral("chart")) ? ApplicationKind::Gui
                                                       : ApplicationKind::Console;
}

VerifyCommand::VerifyCommand()
    : SessionCommand(
          QStringLiteral("verify"),
          QStringLiteral("シュミ集計: 月間または第N回（既定は次回）の前の C 回を検証する")) {
    warnsOfOldHistory = true;
    options.append(
        {QStringLiteral("month"), QStringLiteral("検証する月"), QStringLiteral("YYYY-MM")});
    options.append({QStringLiteral("count"), QStringLiteral("検証する回数"), QStringLiteral("C")});
    options.append(
        {QStringLiteral("all"), QStringLiteral("全期間（第%1回から最新回まで）を検証する")
                                    .arg(predict::kFirstPredictableDraw)});
    options.append(
        drawOption(QStringLiteral("--count で、この回の前の C 回を検証する（既定は次回）")));
    options.append(predictionOptions());
    options.append({QStringLiteral("narrow"),
                    QStringLiteral("使う③絞り（既定 sw）: %1")
                        .arg(describeActions(simulate::narrowings(), true)),
                    QStringLiteral("NAME")});
    options.append(
        {QStringLiteral("whatif"),
         QStringLiteral("購入したらの集計を加える: %1").arg(describeActions(simulate::whatIfs())),
         QStringLiteral("NAME")});
    options.append({QStringLiteral("json"), QStringLiteral("集計表を JSON で出力する")});
    options.append({QStringLiteral("csv"), QStringLiteral("集計表を CSV で出力する")});
    options.append(xlsxOption(QStringLiteral("集計表を FILE（.xlsx）に書き出す")));
    options.append({QStringLiteral("chart"),
                    QStringLiteral("絞り予想の収支と勝率のグラフを FILE（PNG）に書き出す"),
                    QStringLiteral("FILE")});
}

void VerifyCommand::readOptions(const QCommandLineParser& parser) {
    settings_ = readSettings(parser);
}

int VerifyCommand::executeWithSession(Session& session, const QCommandLineParser& parser,
                                      QTextStream& out, QTextStream& err) {
    if (!applyTallyToSession(settings_, session, parser, err))
        return kFailed;
    auto& f = session.form;
    runTally(settings_, f);
    if (!writeXlsxOption(parser, exports::Sheet::Tally, f, err))
        return kFailed;
    if (parser.isSet(QStringLiteral("chart"))) {
        const QString why =
            charts::saveTallyChart(f.tallyDraws, parser.value(QStringLiteral("chart")));
        if (!why.isEmpty()) {
            err << why << Qt::endl;
            return kFailed;
        }
    }
    printTally(f, settings_.format, out);
    return kOk;
}

} // namespace cli
