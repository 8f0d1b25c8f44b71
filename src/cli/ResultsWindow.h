#pragma once

#include "Session.h"

#include <QCommandLineParser>

namespace cli {

// The results window as the start-up leaves it, pointed at --results-url when given.
void loadResultsWindow(Session& session, const QCommandLineParser& parser);

// Why the last download failed, when the results window knows.
void reportDownloadFailure(const download::DownloadForm& form, QTextStream& err);

} // namespace cli
