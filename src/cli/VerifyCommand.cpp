#include "VerifyCommand.h"

#include "PredictCommand.h"

#ifdef TESSARIN_CHARTS
#include "charts/TallyChart.h"
#endif
#include "predict/Analysis.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>

namespace cli {

namespace {

using Settings = VerifyCommand::Settings;

constexpr int kTallyCols = 18;

std::pair<int, int> readMonth(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{2})$"));
    const auto m = pattern.match(text);
    const int month = m.hasMatch() ? m.captured(2).toInt() : 0;
    if (month < 1 || month > 12)
        throw UsageError{QStringLiteral("--month は YYYY-MM の形で指定してください: %1").arg(text)};
    return {m.captured(1).toInt(), month};
}

} // namespace

Settings VerifyCommand::readRangeSettings(const QCommandLineParser& parser) {
    const auto isSet = [&](const char* name) { return parser.isSet(QLatin1StringView(name)); };
    if (int(isSet("month")) + int(isSet("count")) + int(isSet("all")) != 1)
        throw UsageError{QStringLiteral(
            "--month YYYY-MM か --count C か --all のどれか一つを指定してください。")};
    if (!isSet("count") && isSet("draw"))
        throw UsageError{QStringLiteral("--draw は --count と一緒に指定してください。")};
    if (isSet("json") && isSet("csv"))
        throw UsageError{QStringLiteral("--json と --csv は一緒に指定できません。")};

    Settings s;
    s.all = isSet("all");
    if (isSet("month"))
        s.month = readMonth(parser.value(QStringLiteral("month")));
    else if (!s.all)
        s.count = intOption(parser, QStringLiteral("count"), 0, 1);
    s.singleSize = intOption(parser, QStringLiteral("single-size"), 100, 0);
    s.doubleSize = intOption(parser, QStringLiteral("double-size"), 100, 0);
    s.more = isSet("more");
    s.cframe2 = isSet("cframe2");
    s.format = isSet("json")  ? Settings::Format::Json
               : isSet("csv") ? Settings::Format::Csv
                              : Settings::Format::Table;
    return s;
}

namespace {

Settings readSettings(const QCommandLineParser& parser) {
    const auto isSet = [&](const char* name) { return parser.isSet(QLatin1StringView(name)); };
    Settings s = VerifyCommand::readRangeSettings(parser);
    s.levels = startLevels(parser);
    s.pair = chosenPair(parser);
    s.narrowing = &simulate::narrowings().front();
    if (isSet("narrow"))
        s.narrowing = &chooseAction(simulate::narrowings(), parser.value(QStringLiteral("narrow")),
                                    QStringLiteral("narrow"), true);
    if (isSet("whatif"))
        s.whatIf = &chooseAction(simulate::whatIfs(), parser.value(QStringLiteral("whatif")),
                                 QStringLiteral("whatif"));
    return s;
}

} // namespace

void VerifyCommand::applySettings(const Settings& s, mainwindow::MainForm& f, int draw) {
    f.GrdSMClear();
    f.Option2.selected = s.pair;
    f.Check1.value = s.more ? 1 : 0;
    f.Check2.value = s.cframe2 ? 1 : 0;
    if (s.levels) {
        applyStartLevels(*s.levels, f, true);
    } else {
        for (const auto& n : simulate::narrowings())
            if (n.tallySwitch)
                (f.*n.tallySwitch).value = &n == s.narrowing ? 1 : 0;
        f.Combo4[0].text = QString::number(s.singleSize);
        f.Combo4[1].text = QString::number(s.doubleSize);
    }

    if (s.all) {
        f.Option1.selected = 2;
        return;
    }
    if (s.month) {
        const auto [year, month] = *s.month;
        f.Option1.selected = 1;
        f.Combo3[0].text = QString::number(year);
        f.Combo3[1].text = QString::number(month);
        // The verification area's month, as the tally sheet's heading shows it.
        f.LabKnen.caption = QString::number(year);
        f.LabKmon.caption = QStringLiteral("%1").arg(month, 2, 10, QChar(u'0'));
        f.NenGetuS();
        if (f.monthFirstDraw == 0)
            throw UsageError{
                QStringLiteral("%1年%2月の抽選結果のデータがありません。").arg(year).arg(month)};
        return;
    }
    const int available = std::max(0, draw - predict::kFirstPredictableDraw);
    if (s.count > available)
        throw UsageError{QStringLiteral("--count %1: 第%2回の前に検証できるのは %3 回までです"
                                        "（第%4回から）。")
                             .arg(s.count)
                             .arg(draw)
                             .arg(available)
                             .arg(predict::kFirstPredictableDraw)};
    f.Option1.selected = 0;
    f.Combo1.text = QString::number(draw);
    f.Combo3[2].text = QString::number(s.count);
}

namespace {

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

bool needsChartApplication(const QStringList& args) {
    return asksFor(args, QStringLiteral("verify"), QStringLiteral("--chart"));
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
#ifdef TESSARIN_CHARTS
    options.append({QStringLiteral("chart"),
                    QStringLiteral("絞り予想の収支と勝率のグラフを FILE（PNG）に書き出す"),
                    QStringLiteral("FILE")});
#endif
}

bool VerifyCommand::applyToSession(const Settings& s, Session& session,
                                   const QCommandLineParser& parser, QTextStream& err) {
    auto& f = session.form;
    if (f.HistRows == 0) {
        err << "抽選履歴がありません（" << session.module.files.HistPath << "）。" << Qt::endl;
        return false;
    }
    applySettings(s, f, s.count > 0 ? chosenDraw(parser, f) : 0);
    return true;
}

void VerifyCommand::readOptions(const QCommandLineParser& parser) {
    settings_ = readSettings(parser);
}

int VerifyCommand::executeWithSession(Session& session, const QCommandLineParser& parser,
                                      QTextStream& out, QTextStream& err) {
    if (!applyToSession(settings_, session, parser, err))
        return kFailed;
    auto& f = session.form;
    runTally(settings_, f);
    if (!writeXlsxOption(parser, exports::Sheet::Tally, f, err))
        return kFailed;
#ifdef TESSARIN_CHARTS
    if (parser.isSet(QStringLiteral("chart"))) {
        const QString why =
            charts::saveTallyChart(f.tallyDraws, parser.value(QStringLiteral("chart")));
        if (!why.isEmpty()) {
            err << why << Qt::endl;
            return kFailed;
        }
    }
#endif
    printTally(f, settings_.format, out);
    return kOk;
}

} // namespace cli
