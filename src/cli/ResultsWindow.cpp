#include "ResultsWindow.h"

#include "Command.h"

namespace cli {

void loadResultsWindow(Session& session, const QCommandLineParser& parser) {
    session.downloadForm.Form_Load();
    const QString url = parser.value(globals::resultsUrl().names().constFirst());
    if (!url.isEmpty())
        session.downloadForm.useBaseAddress(url);
}

void reportDownloadFailure(const download::DownloadForm& form, QTextStream& err) {
    // A file that could not be written is already named in the window's message.
    if (!form.lastFailure.isEmpty() && !form.http->failedLocally)
        err << "（" << form.lastFailure << "）" << Qt::endl;
}

} // namespace cli
