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
    if (!form.lastFailure.isEmpty())
        err << "（" << form.lastFailure << "）" << Qt::endl;
}

} // namespace cli
