#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <climits>

namespace cli {

constexpr int kOk = 0;
constexpr int kFailed = 1; // a data, file or network fault
constexpr int kUsage = 2;  // the command line itself is wrong

// A fault in the command line. Thrown from anywhere while a command reads its options;
// cli::run prints the message as one line on the error stream and exits with kUsage.
struct UsageError {
    QString message;
};

// Options that go before or after the command name. Each command that uses one lists it
// among its own options.
namespace globals {
QCommandLineOption resultsUrl();
// Taken by every command: the folder of the data files.
QCommandLineOption dataDir();
QList<QCommandLineOption> all();
} // namespace globals

// The Qt application a command needs: painting (a PDF, a PNG) needs Qt Gui and its fonts;
// everything else runs as a plain console program, with no display.
enum class ApplicationKind { Console, Gui };

// One command of tessarin-cli: its name, what it does, its options and positional
// arguments. run() reads the words after the name with a QCommandLineParser built from
// them (which also makes --help), then calls execute().
class Command {
public:
    Command(QString name, QString description);
    virtual ~Command() = default;
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    const QString name;
    const QString description;

    // Runs the command on the words after its name; returns the exit code. A wrong
    // command line throws UsageError (cli::run reports it).
    int run(const QStringList& words, QTextStream& out, QTextStream& err);
    QString helpText() const;
    // The application run() needs for these words (the words after the command name).
    virtual ApplicationKind applicationKind(const QStringList& words) const {
        Q_UNUSED(words);
        return ApplicationKind::Console;
    }

protected:
    struct Positional {
        QString name;
        QString description;
        QString syntax;
    };
    QList<QCommandLineOption> options;
    QList<Positional> positionals; // at most this many words are accepted
    bool lastTakesMany = false;    // unless the last positional takes any number of words

    // The command itself, given the parsed words. Throws UsageError for what the parser
    // cannot check (ranges, combinations).
    virtual int execute(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) = 0;

private:
    void setUp(QCommandLineParser& parser) const;
};

// A whole-number option: fallback when it is not given; UsageError when it is not a
// number or lies below minimum.
int intOption(const QCommandLineParser& parser, const QString& name, int fallback,
              int minimum = INT_MIN);

// The help of a parser with its usage line naming `invocation` instead of the executable.
QString helpFor(const QCommandLineParser& parser, const QString& invocation);

// The message of a command line the parser refused.
QString parseError(const QCommandLineParser& parser);

// Whether the words give the long option `name` ("--name" or "--name=VALUE"); looked at
// before any parser runs.
bool givesOption(const QStringList& words, const QString& name);

// The option that asks for the help, in every parser.
QCommandLineOption helpOption();

} // namespace cli
