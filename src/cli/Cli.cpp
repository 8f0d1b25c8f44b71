#include "Cli.h"

#include "Back100Command.h"
#include "CardsCommand.h"
#include "FetchCommand.h"
#include "HistoryCommand.h"
#include "ImportCommand.h"
#include "PredictCommand.h"
#include "ScheduleCommand.h"
#include "StrategiesCommand.h"
#include "SummaryCommand.h"
#include "TicketsCommand.h"
#include "UpdateCommand.h"
#include "VerifyCommand.h"
#include "Version.h"

#include "history/DataFolder.h"
#include "history/HistoryFiles.h"

namespace cli {

namespace {

const QString kDefaultCommand = QStringLiteral("summary");

// The parser of what comes before the command name: the global options and --help; the
// first other word is the command, and everything from it on is left to the command.
void setUpTopLevel(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("データフォルダで実行します: --data-dir DIR、なければ number414.dat "
                       "のある現在のフォルダ、なければ ~/.local/share/tessarin。"));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addOption(helpOption());
    parser.addOption(QCommandLineOption(QStringLiteral("version"), QStringLiteral("版を表示する")));
    parser.addOptions(globals::all());
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("コマンド（既定 %1）").arg(kDefaultCommand),
                                 QStringLiteral("[command] [options]"));
}

QString topLevelHelp(const std::vector<std::unique_ptr<Command>>& all) {
    QCommandLineParser parser;
    setUpTopLevel(parser);
    QString text = helpFor(parser, QStringLiteral("tessarin-cli"));
    text += QStringLiteral("\nコマンド:\n");
    for (const auto& c : all)
        text += QStringLiteral("  %1%2\n").arg(c->name, -10).arg(c->description);
    text += QStringLiteral("\n各コマンドのオプション: tessarin-cli COMMAND --help\n");
    return text;
}

// The global options given before the command name, written out again for the command's
// own parser.
QStringList globalWords(const QCommandLineParser& parser) {
    QStringList words;
    for (const auto& option : globals::all()) {
        const QString name = option.names().constLast();
        if (!parser.isSet(name))
            continue;
        if (option.valueName().isEmpty())
            words.append(QStringLiteral("--") + name);
        else
            for (const QString& value : parser.values(name))
                words.append(QStringLiteral("--%1=%2").arg(name, value));
    }
    return words;
}

// Parses what comes before the command name; returns the command's name (summary when none
// is given) and leaves the words after it in `words`.
QString readTopLevel(QCommandLineParser& parser, const QStringList& args, QStringList& words) {
    setUpTopLevel(parser);
    if (!parser.parse(QStringList{QStringLiteral("tessarin-cli")} + args))
        throw UsageError{parseError(parser)};
    words = parser.positionalArguments();
    return words.isEmpty() ? kDefaultCommand : words.takeFirst();
}

int dispatch(const QStringList& args, QTextStream& out, QTextStream& err) {
    const auto all = commands();
    QCommandLineParser parser;
    QStringList words;
    const QString name = readTopLevel(parser, args, words);
    if (parser.isSet(QStringLiteral("help")) ||
        (name == QStringLiteral("help") && words.isEmpty())) {
        out << topLevelHelp(all);
        return kOk;
    }
    // "help COMMAND" is "COMMAND --help".
    if (name == QStringLiteral("help"))
        return dispatch({words[0], QStringLiteral("--help")}, out, err);

    for (const auto& command : all)
        if (command->name == name)
            return command->run(globalWords(parser) + words, out, err);
    throw UsageError{QStringLiteral("不明なコマンドです: %1").arg(name)};
}

} // namespace

namespace {

template <typename... Commands> std::vector<std::unique_ptr<Command>> make() {
    std::vector<std::unique_ptr<Command>> all;
    (all.push_back(std::make_unique<Commands>()), ...);
    return all;
}

} // namespace

std::vector<std::unique_ptr<Command>> commands() {
    return make<SummaryCommand, ImportCommand, HistoryCommand, PredictCommand, VerifyCommand,
                StrategiesCommand, Back100Command, UpdateCommand, FetchCommand, ScheduleCommand,
                CardsCommand, TicketsCommand>();
}

ApplicationKind applicationKind(const QStringList& args) {
    QCommandLineParser parser;
    QStringList words;
    try {
        const QString name = readTopLevel(parser, args, words);
        for (const auto& command : commands())
            if (command->name == name)
                return command->applicationKind(words);
    } catch (const UsageError&) {
        // run() reports it.
    }
    return ApplicationKind::Console;
}

int run(const QStringList& args, QTextStream& out, QTextStream& err) {
    // --data-dir holds for this command line only (the tests run many in one process).
    struct KeepDataFolder {
        QString before = history::chosenDataFolder();
        ~KeepDataFolder() { history::chooseDataFolder(before); }
    } keep;
    if (!args.isEmpty() && args[0] == QStringLiteral("--version")) {
        out << TESSARIN_VERSION_LINE << "\n";
        return kOk;
    }
    try {
        return dispatch(args, out, err);
    } catch (const UsageError& e) {
        err << e.message << Qt::endl;
        return kUsage;
    } catch (const history::FileError& e) {
        err << e.message() << Qt::endl;
        return kFailed;
    }
}

} // namespace cli
