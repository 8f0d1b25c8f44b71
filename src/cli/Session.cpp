#include "Session.h"

#include "Command.h"

#include "download/FirstStart.h"
#include "ui/RecordingHost.h"

namespace cli {

void ConsoleHost::showMessage(const QString& text, const QString& title) {
    err_ << "[" << title << "] " << text << Qt::endl;
}

Session::Session(QTextStream& err)
    : host(err), form(host, module), downloadForm(host, module, form) {
    // A damaged history ends the command with exit code 1, naming the way out.
    module.files.damageAdvice = QStringLiteral(
        "tessarin-cli import で numbers4_2.csv から抽選履歴を生成し直してください。");
    form.stopOnDamagedHistory = true;
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
    out << "次回: 第" << form.LabCom1.caption << "回 " << form.Grd2.text(form.HistRows + 1, 8)
        << Qt::endl;
}

} // namespace cli
