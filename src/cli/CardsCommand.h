#pragma once

#include "Command.h"

namespace cli {

// tessarin-cli cards: the print-list file shown as loaded, printed to a PDF, or the
// calibration card.
class CardsCommand : public Command {
public:
    CardsCommand();
    // Writing a PDF paints: Qt Gui.
    ApplicationKind applicationKind(const QStringList& words) const override;

protected:
    int execute(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) override;
};

} // namespace cli
