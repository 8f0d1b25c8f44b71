#pragma once

#include "Command.h"

namespace cli {

// tessarin-cli cards: the print-list file shown as loaded, printed to a PDF, or the
// calibration card. Writing a PDF needs a QGuiApplication (see needsGuiApplication).
class CardsCommand : public Command {
public:
    CardsCommand();

protected:
    int execute(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) override;
};

// Whether the command line paints, so that main has to start a QGuiApplication.
bool needsGuiApplication(const QStringList& args);

} // namespace cli
