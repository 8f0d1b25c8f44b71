#pragma once

#include "Cli.h"
#include "Session.h"

#include <QProcess>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace testing_support {

// One run of the command line in-process, its streams captured.
struct CliRun {
    int code;
    QString out, err;
};

// With `now`, the command line's clock reads it (a history is then as current as the test
// makes it); without, the system's.
inline CliRun runCli(const QStringList& args, std::optional<QDateTime> now = std::nullopt) {
    CliRun r{0, {}, {}};
    QTextStream o(&r.out), e(&r.err);
    if (now)
        cli::ConsoleHost::clock = [now] { return *now; };
    r.code = cli::run(args, o, e);
    cli::ConsoleHost::clock = nullptr;
    o.flush();
    e.flush();
    return r;
}

// One run of the real program, as the weekday timer or another copy runs it, in the current
// directory and the given environment.
inline CliRun spawnCli(const QStringList& args,
                       const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TESSARIN_CLI), args);
    const bool ended = p.waitForFinished(60000);
    return {ended && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace testing_support
