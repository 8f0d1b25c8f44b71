// The weekday fetch through systemctl --user, and the check box that turns it on and off.
#include "Schedule.h"
#include "DownloadForm.h"

#include <QMap>
#include <QProcess>

namespace download {

namespace {

constexpr int kSystemctlWaitMs = 15000;

} // namespace

Schedule::Run Schedule::systemctl(const QStringList& args) const {
    QProcess p;
    p.start(systemctl_, QStringList{QStringLiteral("--user")} + args);
    Run run;
    run.started = p.waitForStarted(kSystemctlWaitMs);
    if (!run.started)
        return run;
    if (!p.waitForFinished(kSystemctlWaitMs)) {
        p.kill();
        p.waitForFinished();
        run.err = QStringLiteral("systemctl が応答しません。");
        return run;
    }
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed().section(u'\n', 0, 0);
    return run;
}

Schedule::State Schedule::state() const {
    State state;
    const Run run = systemctl({QStringLiteral("show"), timerUnit(),
                               QStringLiteral("--property=LoadState,UnitFileState,ActiveState,"
                                              "NextElapseUSecRealtime")});
    if (!run.started) {
        state.problem = QStringLiteral("systemctl を実行できません（systemd のないシステムでは"
                                       "自動取得は使えません）。");
        return state;
    }
    if (run.exitCode != 0) {
        state.problem = QStringLiteral("systemd のユーザーマネージャーに接続できないため、"
                                       "自動取得は使えません（%1）。")
                            .arg(run.err);
        return state;
    }
    QMap<QString, QString> values;
    for (const QString& line : run.out.split(u'\n', Qt::SkipEmptyParts))
        values.insert(line.section(u'=', 0, 0), line.section(u'=', 1).trimmed());
    if (values.value(QStringLiteral("LoadState")) != QStringLiteral("loaded")) {
        state.problem = QStringLiteral("%1 が見つかりません（パッケージで入れると使えます）。")
                            .arg(timerUnit());
        return state;
    }
    state.on = values.value(QStringLiteral("UnitFileState")).startsWith(QStringLiteral("enabled"));
    const QString next = values.value(QStringLiteral("NextElapseUSecRealtime"));
    if (values.value(QStringLiteral("ActiveState")) == QStringLiteral("active") &&
        next != QStringLiteral("n/a"))
        state.nextFetch = next;
    return state;
}

QString Schedule::turn(bool on) const {
    const State now = state();
    if (!now.problem.isEmpty())
        return now.problem;
    const Run run = systemctl({on ? QStringLiteral("enable") : QStringLiteral("disable"),
                               QStringLiteral("--now"), timerUnit()});
    if (run.started && run.exitCode == 0)
        return QString();
    return QStringLiteral("自動取得を%1にできませんでした（%2）。")
        .arg(on ? QStringLiteral("オン") : QStringLiteral("オフ"), run.err);
}

QStringList Schedule::describe(const State& state) {
    if (!state.on)
        return {QStringLiteral("自動取得: オフ（tessarin-cli schedule on でオンにします）")};
    QStringList lines{QStringLiteral("自動取得: オン（平日19:30、日本時間。数分ずらして取得）")};
    lines.append(state.nextFetch.isEmpty() ? QStringLiteral("次の取得: 次のログイン後")
                                           : QStringLiteral("次の取得: %1").arg(state.nextFetch));
    return lines;
}

bool DownloadForm::readSchedule() {
    const Schedule::State state = schedule->state();
    scheduleProblem = state.problem;
    CheckTimer.value = state.on ? 1 : 0;
    return state.problem.isEmpty();
}

void DownloadForm::CheckTimer_Click() {
    const bool on = CheckTimer.value != 0;
    const QString problem = schedule->turn(on);
    readSchedule();
    if (!problem.isEmpty())
        host.messageBox(problem);
    else if (on)
        host.messageBox(Schedule::describe(schedule->state()).join(u'\r'));
}

} // namespace download
