#include "Options.h"

#include "export/Workbook.h"
#include "predict/Analysis.h"

#include <QRegularExpression>

#include <algorithm>

namespace cli {

namespace {

const history::OptionTables& optionTables() {
    static const history::OptionTables tables = [] {
        history::OptionTables t;
        t.InitOptionTables();
        return t;
    }();
    return tables;
}

// Romanised names of the strength levels, in the order of StrengthNames.
const QStringList kLevelWords = {QStringLiteral("strong"), QStringLiteral("normal"),
                                 QStringLiteral("weak"), QStringLiteral("none")};
// The switch words of --r7, in the order of OnOffNames.
const QStringList kSwitchWords = {QStringLiteral("off"), QStringLiteral("on")};

QString levelChoices() {
    QStringList names(optionTables().StrengthNames.begin(), optionTables().StrengthNames.end());
    return QStringLiteral("%1（%2）").arg(names.join(u'|'), kLevelWords.join(u'|'));
}

int levelOption(const QCommandLineParser& parser, const QString& name) {
    const QString given = parser.value(name);
    const auto& names = optionTables().StrengthNames;
    for (int level = 0; level < static_cast<int>(names.size()); ++level)
        if (given == names[level] || given.toLower() == kLevelWords[level])
            return level;
    throw UsageError{
        QStringLiteral("--%1 には %2 のどれかを指定してください。").arg(name, levelChoices())};
}

std::pair<int, int> readMonth(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{2})$"));
    const auto m = pattern.match(text);
    const int month = m.hasMatch() ? m.captured(2).toInt() : 0;
    if (month < 1 || month > 12)
        throw UsageError{QStringLiteral("--month は YYYY-MM の形で指定してください: %1").arg(text)};
    return {m.captured(1).toInt(), month};
}

} // namespace

QCommandLineOption drawOption(const QString& description) {
    return {QStringLiteral("draw"), description, QStringLiteral("N")};
}

int chosenDraw(const QCommandLineParser& parser, const mainwindow::MainForm& form) {
    const int next = form.HistRows + 1;
    const int draw = intOption(parser, QStringLiteral("draw"), next);
    if (draw < 1 || draw > next)
        throw UsageError{
            QStringLiteral("--draw には 1 から %1 までの回を指定してください。").arg(next)};
    return draw;
}

QList<QCommandLineOption> predictionOptions() {
    const auto& w = windowCaptions();
    return {
        {QStringLiteral("pair"),
         QStringLiteral("%1: %2（既定 %3）")
             .arg(w.Frame2.caption, w.Option2.captions.join(u'|'), w.Option2.captions.value(0)),
         QStringLiteral("PAIR")},
        {QStringLiteral("single-size"), QStringLiteral("Ｓ絞りの件数（既定 100）"),
         QStringLiteral("N")},
        {QStringLiteral("double-size"), QStringLiteral("Ｗ絞りの件数（既定 100）"),
         QStringLiteral("M")},
        {QStringLiteral("more"), QStringLiteral("「%1」を使う").arg(w.Check1.caption)},
        {QStringLiteral("cframe2"), QStringLiteral("「%1」を使う").arg(w.Check2.caption)},
        {QStringLiteral("single-level"),
         QStringLiteral("%1の強さ: %2（--single-size、--double-size、--narrow の代わりに）")
             .arg(w.Label14[4].caption, levelChoices()),
         QStringLiteral("L")},
        {QStringLiteral("double-level"),
         QStringLiteral("%1の強さ: %2").arg(w.Label14[3].caption, levelChoices()),
         QStringLiteral("L")},
        {QStringLiteral("r7"),
         QStringLiteral("%1: on|off（③の絞りはスタートと同じく選ばれる）")
             .arg(w.Label14[11].caption),
         QStringLiteral("on|off")},
        {QStringLiteral("cframe"), QStringLiteral("強さと一緒に: ③は%1（「%2」）")
                                       .arg(w.Command12.caption, w.Check3.caption)},
    };
}

std::optional<StartLevels> startLevels(const QCommandLineParser& parser) {
    const auto isSet = [&](const char* name) { return parser.isSet(QLatin1StringView(name)); };
    if (!isSet("single-level") && !isSet("double-level") && !isSet("r7")) {
        if (isSet("cframe"))
            throw UsageError{QStringLiteral(
                "--cframe は --single-level、--double-level、--r7 と一緒に指定してください。")};
        return std::nullopt;
    }
    if (!isSet("single-level") || !isSet("double-level") || !isSet("r7"))
        throw UsageError{
            QStringLiteral("--single-level、--double-level、--r7 は三つとも指定してください。")};
    if (isSet("single-size") || isSet("double-size") || isSet("narrow"))
        throw UsageError{QStringLiteral("--single-level などは --single-size、--double-size、"
                                        "--narrow と一緒に指定できません。")};
    StartLevels l;
    l.single = levelOption(parser, QStringLiteral("single-level"));
    l.dbl = levelOption(parser, QStringLiteral("double-level"));
    const QString r7 = parser.value(QStringLiteral("r7")).toLower();
    const qsizetype opt = kSwitchWords.indexOf(r7);
    if (opt < 0)
        throw UsageError{QStringLiteral("--r7 には on|off のどちらかを指定してください。")};
    l.opt = static_cast<int>(opt);
    l.cframe = isSet("cframe");
    if (!mainwindow::MainForm::startChecks(l.opt, l.single, l.dbl))
        throw UsageError{mainwindow::MainForm::refusedStartMessage()};
    return l;
}

void applyStartLevels(const StartLevels& l, mainwindow::MainForm& f, bool verification) {
    (verification ? f.KensyoSSLevel : f.YosoSSLevel) = l.single;
    (verification ? f.KensyoDSLevel : f.YosoDSLevel) = l.dbl;
    (verification ? f.KensyoOpt : f.YosoOpt) = l.opt;
    f.showOptionCaptions();
    f.Check3.value = l.cframe ? 1 : 0;
    f.setStartSizesAndChecks(l.opt, l.single, l.dbl);
}

int chosenPair(const QCommandLineParser& parser) {
    const QStringList& pairs = windowCaptions().Option2.captions;
    const QString given = parser.isSet(QStringLiteral("pair"))
                              ? parser.value(QStringLiteral("pair")).toUpper()
                              : pairs.value(0);
    const qsizetype pair = pairs.indexOf(given);
    if (pair < 0)
        throw UsageError{
            QStringLiteral("--pair には %1 のどれかを指定してください。").arg(pairs.join(u'|'))};
    return static_cast<int>(pair);
}

QCommandLineOption xlsxOption(const QString& description) {
    return {QStringLiteral("xlsx"), description, QStringLiteral("FILE")};
}

bool writeXlsxOption(const QCommandLineParser& parser, exports::Sheet sheet,
                     const mainwindow::MainForm& f, QTextStream& err) {
    const QString path = parser.value(QStringLiteral("xlsx"));
    if (path.isEmpty())
        return true;
    try {
        exports::writeSheet(sheet, f, f.files.AppDir, path);
    } catch (const exports::WorkbookError& e) {
        err << e.message() << Qt::endl;
        return false;
    }
    return true;
}

TallySettings readTallyRange(const QCommandLineParser& parser) {
    const auto isSet = [&](const char* name) { return parser.isSet(QLatin1StringView(name)); };
    if (int(isSet("month")) + int(isSet("count")) + int(isSet("all")) != 1)
        throw UsageError{QStringLiteral(
            "--month YYYY-MM か --count C か --all のどれか一つを指定してください。")};
    if (!isSet("count") && isSet("draw"))
        throw UsageError{QStringLiteral("--draw は --count と一緒に指定してください。")};
    if (isSet("json") && isSet("csv"))
        throw UsageError{QStringLiteral("--json と --csv は一緒に指定できません。")};

    TallySettings s;
    s.all = isSet("all");
    if (isSet("month"))
        s.month = readMonth(parser.value(QStringLiteral("month")));
    else if (!s.all)
        s.count = intOption(parser, QStringLiteral("count"), 0, 1);
    s.singleSize = intOption(parser, QStringLiteral("single-size"), 100, 0);
    s.doubleSize = intOption(parser, QStringLiteral("double-size"), 100, 0);
    s.more = isSet("more");
    s.cframe2 = isSet("cframe2");
    s.format = isSet("json")  ? TallySettings::Format::Json
               : isSet("csv") ? TallySettings::Format::Csv
                              : TallySettings::Format::Table;
    return s;
}

void applyTallySettings(const TallySettings& s, mainwindow::MainForm& f, int draw) {
    f.GrdSMClear();
    f.Option2.selected = s.pair;
    f.Check1.value = s.more ? 1 : 0;
    f.Check2.value = s.cframe2 ? 1 : 0;
    if (s.levels) {
        applyStartLevels(*s.levels, f, true);
    } else {
        simulate::chooseNarrowing(f, *s.narrowing);
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

bool applyTallyToSession(const TallySettings& s, Session& session, const QCommandLineParser& parser,
                         QTextStream& err) {
    auto& f = session.form;
    if (f.HistRows == 0) {
        err << "抽選履歴がありません（" << session.module.files.HistPath << "）。" << Qt::endl;
        return false;
    }
    applyTallySettings(s, f, s.count > 0 ? chosenDraw(parser, f) : 0);
    return true;
}

} // namespace cli
