#include "Command.h"

#include "history/DataFolder.h"

#include <QRegularExpression>

#include <algorithm>

namespace cli {

namespace globals {

QCommandLineOption resultsUrl() {
    return {QStringLiteral("results-url"),
            QStringLiteral("抽選結果のアドレス（既定は運営元のサイト）"), QStringLiteral("URL")};
}

QCommandLineOption dataDir() {
    return {QStringLiteral("data-dir"),
            QStringLiteral("データフォルダ（既定は number414.dat のある現在のフォルダ、なければ "
                           "~/.local/share/tessarin）"),
            QStringLiteral("DIR")};
}

QList<QCommandLineOption> all() {
    return {resultsUrl(), dataDir()};
}

} // namespace globals

QCommandLineOption helpOption() {
    return {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("この説明を表示する")};
}

QString helpFor(const QCommandLineParser& parser, const QString& invocation) {
    QString text = parser.helpText();
    // Qt names the executable as started (a path, or a placeholder without an application).
    const qsizetype start = text.indexOf(u' ') + 1;
    const qsizetype end = text.indexOf(QStringLiteral(" [options]"));
    if (start > 0 && end > start)
        text.replace(start, end - start, invocation);
    // Qt writes its headings in English; the program speaks Japanese.
    for (const auto& [qt, ours] :
         {std::pair{u"Usage:", u"使い方:"}, std::pair{u"Options:", u"オプション:"},
          std::pair{u"Arguments:", u"引数:"}, std::pair{u" [options]", u" [オプション]"}})
        text.replace(QString::fromUtf16(qt), QString::fromUtf16(ours));
    return text;
}

QString parseError(const QCommandLineParser& parser) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return QStringLiteral("不明なオプションです: %1%2")
            .arg(unknown[0].size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), unknown[0]);
    // The parser's other faults come in English; each names the option in quotes.
    static const QRegularExpression missing(QStringLiteral("^Missing value after '(.*)'\\.$"));
    static const QRegularExpression unexpected(
        QStringLiteral("^Unexpected value after '(.*)'\\.$"));
    const QString text = parser.errorText();
    if (const auto m = missing.match(text); m.hasMatch())
        return QStringLiteral("%1 の後に値がありません。").arg(m.captured(1));
    if (const auto m = unexpected.match(text); m.hasMatch())
        return QStringLiteral("%1 は値を取りません。").arg(m.captured(1));
    return QStringLiteral("コマンドラインを読めません: %1").arg(text);
}

int intOption(const QCommandLineParser& parser, const QString& name, int fallback, int minimum) {
    if (!parser.isSet(name))
        return fallback;
    const QString text = parser.value(name);
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        throw UsageError{QStringLiteral("--%1 には整数を指定してください: %2").arg(name, text)};
    if (value < minimum)
        throw UsageError{
            QStringLiteral("--%1 には %2 以上の整数を指定してください。").arg(name).arg(minimum)};
    return value;
}

Command::Command(QString name_, QString description_)
    : name(std::move(name_)), description(std::move(description_)) {}

void Command::setUp(QCommandLineParser& parser) const {
    parser.setApplicationDescription(description);
    parser.addOption(helpOption());
    parser.addOptions(options);
    // Every command takes the global options. --data-dir applies to all of them; another
    // global option a command does not list is ignored and left out of its help.
    for (QCommandLineOption global : globals::all()) {
        if (std::any_of(options.begin(), options.end(),
                        [&](const auto& o) { return o.names() == global.names(); }))
            continue;
        if (global.names() != globals::dataDir().names())
            global.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(global);
    }
    for (const auto& p : positionals)
        parser.addPositionalArgument(p.name, p.description, p.syntax);
}

QString Command::helpText() const {
    QCommandLineParser parser;
    setUp(parser);
    return helpFor(parser, QStringLiteral("tessarin-cli ") + name);
}

int Command::run(const QStringList& words, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    setUp(parser);
    if (!parser.parse(QStringList{QStringLiteral("tessarin-cli")} + words))
        throw UsageError{parseError(parser)};
    if (parser.isSet(QStringLiteral("help"))) {
        out << helpText();
        return kOk;
    }
    const QStringList extra = parser.positionalArguments().mid(positionals.size());
    if (!extra.isEmpty() && !lastTakesMany)
        throw UsageError{QStringLiteral("不明な引数です: %1").arg(extra.join(u' '))};
    if (parser.isSet(QStringLiteral("data-dir"))) {
        const QString dir = parser.value(QStringLiteral("data-dir"));
        if (dir.isEmpty())
            throw UsageError{QStringLiteral("--data-dir にはフォルダを指定してください。")};
        history::chooseDataFolder(dir);
    }
    // An option that takes a value given an empty one ("--xlsx ''") would silently do nothing.
    for (const QCommandLineOption& option : options)
        if (!option.valueName().isEmpty() && parser.isSet(option.names().constLast()) &&
            parser.value(option.names().constLast()).isEmpty())
            throw UsageError{QStringLiteral("--%1 に %2 を指定してください。")
                                 .arg(option.names().constLast(), option.valueName())};
    return execute(parser, out, err);
}

bool givesOption(const QStringList& words, const QString& name) {
    const QString option = QStringLiteral("--") + name;
    return std::any_of(words.begin(), words.end(), [&](const QString& w) {
        return w == option || w.startsWith(option + u'=');
    });
}

} // namespace cli
