#include "SessionCommand.h"

namespace cli {

int SessionCommand::execute(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    readOptions(parser);
    Session session(err);
    if (!seedDataFolder(session))
        return kFailed;
    session.form.Form_Load(false);
    if (warnsOfOldHistory && session.form.LabOldHistory.visible)
        err << session.form.LabOldHistory.caption << Qt::endl;
    return executeWithSession(session, parser, out, err);
}

} // namespace cli
