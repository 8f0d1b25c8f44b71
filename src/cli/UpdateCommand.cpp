#include "UpdateCommand.h"

#include "ResultsWindow.h"
#include "Session.h"

#include "history/FolderLock.h"
#include "notify/DesktopNotification.h"
#include "ui/Numeric.h"

namespace cli {

namespace {

const QString kNotify = QStringLiteral("notify");

// The weekday fetch may start while the window catches up: it waits for that catch-up to end
// rather than give up at once, and then finds nothing left to fetch.
constexpr int kLockWaitMs = 60000;

QString firstLine(const QString& message) {
    return message.section(u'\n', 0, 0);
}

} // namespace

UpdateCommand::UpdateCommand()
    : Command(QStringLiteral("update"),
              QStringLiteral("起動時と同じく、最新回までの抽選結果を取得して追加し、"
                             "購入記録の当選を知らせる")) {
    options.append(globals::resultsUrl());
    options.append(QCommandLineOption(
        kNotify, QStringLiteral("取り込んだ回と当選をデスクトップ通知でも知らせる（失敗も）")));
}

int UpdateCommand::execute(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    Session s(err);
    s.module.files.lockWaitMs = kLockWaitMs;
    Outcome outcome;
    try {
        outcome = update(s, parser, out, err);
    } catch (const history::FileError& e) { // a damaged history, a folder that cannot be written
        err << e.message() << Qt::endl;
        outcome.code = kFailed;
        outcome.failure = firstLine(e.message());
        outcome.busy = dynamic_cast<const history::LockBusy*>(&e) != nullptr;
    }
    if (parser.isSet(kNotify))
        notify(s, outcome, err);
    return outcome.code;
}

UpdateCommand::Outcome UpdateCommand::update(Session& s, const QCommandLineParser& parser,
                                             QTextStream& out, QTextStream& err) {
    Outcome o;
    const auto failed = [&o](const QString& message) {
        o.code = kFailed;
        o.failure = firstLine(message);
        return o;
    };
    if (!seedDataFolder(s))
        return failed(s.host.lastMessage);
    loadResultsWindow(s, parser);
    download::DownloadForm::CatchUp result;
    bool ran = false;
    s.form.catchUp = [&] {
        ran = true;
        result = s.downloadForm.SaisinKousin();
    };
    s.form.Form_Load(true);
    if (!ran) {
        const QString none = QStringLiteral(
            "抽選履歴がありません。tessarin-cli import で numbers4_2.csv から生成してください。");
        out << none << Qt::endl;
        return failed(none);
    }
    if (result.appended > 0)
        out << "第" << s.downloadForm.Label5[0].caption << "回から " << result.appended
            << " 回分を追加しました。" << Qt::endl;
    else if (result.complete)
        out << "新しい抽選結果はありません。" << Qt::endl;
    out << "最新: 第" << s.form.HistRows << "回" << Qt::endl;
    if (result.appended > 0) {
        o.firstDraw = static_cast<int>(ui::leadingInt(s.downloadForm.Label5[0].caption));
        o.lastDraw = o.firstDraw + result.appended - 1;
        try {
            o.news =
                ledger::drawNews(s.module.files.folder(), o.firstDraw, o.lastDraw, historyAdvice());
            for (const QString& line : o.news.lines)
                out << line << Qt::endl;
        } catch (const history::FileError& e) { // the draws are in; only their results are not
            err << e.message() << Qt::endl;
            o.code = kFailed;
            o.news.headline =
                QStringLiteral("第%1回からの抽選結果を取り込みました（購入記録を確かめられません）")
                    .arg(o.firstDraw);
            o.news.lines = QStringList{firstLine(e.message())};
        }
    }
    if (!result.complete) {
        reportDownloadFailure(s.downloadForm, err);
        o.busy = result.busy;
        return failed(s.host.lastMessage);
    }
    return o;
}

void UpdateCommand::notify(Session& s, const Outcome& o, QTextStream& err) {
    if (o.busy)
        return; // the copy that holds the folder tells the draws it fetches
    QString summary = o.news.headline;
    QStringList body = o.news.lines;
    if (!o.failure.isEmpty()) {
        summary = QStringLiteral("抽選結果を取得できませんでした");
        body.prepend(o.failure);
    } else if (o.lastDraw == 0) {
        return; // nothing new, nothing to say
    }
    const QString problem = notify::showDesktopNotification(summary, body.join(u'\n'));
    if (!problem.isEmpty()) {
        err << "デスクトップ通知を表示できませんでした: " << problem << Qt::endl;
        return;
    }
    if (o.lastDraw > 0) {
        try {
            ledger::rememberAnnounced(s.module.files.folder(), o.lastDraw);
        } catch (const history::FileError& e) {
            err << e.message() << Qt::endl;
        }
    }
}

} // namespace cli
