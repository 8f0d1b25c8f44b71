#pragma once

#include <QStringList>
#include <QTextStream>

namespace cli {

// tessarin-cli cards: the print-list file shown as loaded, printed to a PDF, or the
// calibration card. Writing a PDF needs a QGuiApplication (see needsGuiApplication).
int cmdCards(const QStringList& words, QTextStream& out, QTextStream& err);

// Whether the command line paints, so that main has to start a QGuiApplication.
bool needsGuiApplication(const QStringList& args);

} // namespace cli
