#include "Session.h"

#include "Command.h"

#include "download/FirstStart.h"
#include "ui/RecordingHost.h"

#include <unistd.h>

namespace cli {

using mainwindow::Grd2Col;

void ConsoleHost::showMessage(const QString& text, const QString& title) {
    lastMessage = text;
    err_ << "[" << title << "] " << text << Qt::endl;
}

bool ConsoleHost::runInBackground(const std::function<void()>& work, const QString& progressText,
                                  std::atomic_bool& stop) {
    progressText_ = progressText;
    shownPercent_ = -1;
    const bool finished = Host::runInBackground(work, progressText, stop);
    if (showProgress && shownPercent_ >= 0)
        err_ << '\r' << QString(progressText.size() * 2 + 24, u' ') << '\r' << Qt::flush;
    return finished;
}

void ConsoleHost::reportProgress(int done, int total) {
    const int percent = total > 0 ? static_cast<int>(100LL * done / total) : 100;
    if (!showProgress || percent == shownPercent_)
        return;
    shownPercent_ = percent;
    err_ << '\r' << progressText_ << ' ' << done << '/' << total << Qt::flush;
}

Session::Session(QTextStream& err)
    : host(err), form(host, module), downloadForm(host, module, form) {
    // Progress lines are for a person watching, not for a file or a pipe.
    host.showProgress = isatty(STDERR_FILENO) != 0;
    // A damaged history ends the command with exit code 1, naming the way out.
    module.files.damageAdvice = historyAdvice();
    form.stopOnDamagedHistory = true;
}

QString historyAdvice() {
    return QStringLiteral(
        "tessarin-cli import で numbers4_2.csv から抽選履歴を生成し直してください。");
}

bool seedDataFolder(Session& session) {
    return download::seedFirstStart(session.host, session.module, session.form) !=
           download::FirstStart::Failed;
}

const mainwindow::MainForm& windowCaptions() {
    static ui::RecordingHost host;
    static history::AppModule module;
    static const mainwindow::MainForm form(host, module);
    return form;
}

QString describeActions(std::span<const simulate::FormAction> actions, bool tallyOnly) {
    QStringList items;
    for (const auto& a : actions)
        if (a.inTally || !tallyOnly)
            items.append(QStringLiteral("%1（%2）")
                             .arg(QLatin1StringView(a.key), (windowCaptions().*a.button).caption));
    return items.join(QStringLiteral(", "));
}

const simulate::FormAction& chooseAction(std::span<const simulate::FormAction> actions,
                                         const QString& key, const QString& option,
                                         bool tallyOnly) {
    QStringList keys;
    for (const auto& a : actions) {
        if (tallyOnly && !a.inTally)
            continue;
        if (key == QLatin1StringView(a.key))
            return a;
        keys.append(QLatin1StringView(a.key));
    }
    throw UsageError{
        QStringLiteral("--%1 には %2 のどれかを指定してください。").arg(option, keys.join(u'|'))};
}

void printNextDraw(const mainwindow::MainForm& form, QTextStream& out) {
    out << "次回: 第" << form.LabCom1.caption << "回 "
        << form.Grd2.text(form.HistRows + 1, Grd2Col::Date) << Qt::endl;
}

} // namespace cli
