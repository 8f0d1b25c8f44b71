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

QCommandLineOption SessionCommand::drawOption(const QString& description) {
    return {QStringLiteral("draw"), description, QStringLiteral("N")};
}

int SessionCommand::chosenDraw(const QCommandLineParser& parser, const mainwindow::MainForm& form) {
    const int next = form.HistRows + 1;
    const int draw = intOption(parser, QStringLiteral("draw"), next);
    if (draw < 1 || draw > next)
        throw UsageError{
            QStringLiteral("--draw には 1 から %1 までの回を指定してください。").arg(next)};
    return draw;
}

} // namespace cli
