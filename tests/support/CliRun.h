#pragma once

#include "Cli.h"
#include "Session.h"

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

} // namespace testing_support
