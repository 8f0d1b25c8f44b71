#pragma once

#include "Cli.h"

#include <QStringList>
#include <QTextStream>

namespace testing_support {

// One run of the command line in-process, its streams captured.
struct CliRun {
    int code;
    QString out, err;
};

inline CliRun runCli(const QStringList& args) {
    CliRun r{0, {}, {}};
    QTextStream o(&r.out), e(&r.err);
    r.code = cli::run(args, o, e);
    o.flush();
    e.flush();
    return r;
}

} // namespace testing_support
