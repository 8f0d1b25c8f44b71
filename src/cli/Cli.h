#pragma once

#include "Command.h"

#include <QStringList>
#include <QTextStream>

#include <memory>
#include <vector>

namespace cli {

// Every command of tessarin-cli, in the order the help lists them.
std::vector<std::unique_ptr<Command>> commands();

// The application the command line needs (Command::applicationKind of the command it names);
// main starts it before run().
ApplicationKind applicationKind(const QStringList& args);

// The whole command line: args excludes the program name. Global options may stand before
// the command name; without a command name it runs summary. Returns the exit code.
int run(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace cli
