#include "ScheduleCommand.h"

#include "download/Schedule.h"

namespace cli {

ScheduleCommand::ScheduleCommand()
    : Command(QStringLiteral("schedule"),
              QStringLiteral("平日19:30（日本時間）の自動取得と通知を on / off にする、status で"
                             "状態と次の取得を表示する")) {
    positionals.append({QStringLiteral("action"), QStringLiteral("on、off または status（既定）"),
                        QStringLiteral("[on|off|status]")});
}

int ScheduleCommand::execute(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    const QStringList words = parser.positionalArguments();
    const QString action = words.isEmpty() ? QStringLiteral("status") : words[0];
    if (action != QStringLiteral("on") && action != QStringLiteral("off") &&
        action != QStringLiteral("status"))
        throw UsageError{
            QStringLiteral("schedule には on、off、status のどれかを指定してください: %1")
                .arg(action)};
    const download::Schedule schedule;
    if (action != QStringLiteral("status")) {
        const bool on = action == QStringLiteral("on");
        const QString problem = schedule.turn(on);
        if (!problem.isEmpty()) {
            err << problem << Qt::endl;
            return kFailed;
        }
        out << (on ? "自動取得をオンにしました。" : "自動取得をオフにしました。") << Qt::endl;
    }
    const download::Schedule::State state = schedule.state();
    if (!state.problem.isEmpty()) {
        err << state.problem << Qt::endl;
        return kFailed;
    }
    for (const QString& line : download::Schedule::describe(state))
        out << line << Qt::endl;
    return kOk;
}

} // namespace cli
