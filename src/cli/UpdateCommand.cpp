#include "UpdateCommand.h"

#include "ResultsWindow.h"
#include "Session.h"

namespace cli {

UpdateCommand::UpdateCommand()
    : Command(QStringLiteral("update"),
              QStringLiteral("起動時と同じく、最新回までの抽選結果を取得して追加する")) {
    options.append(globals::resultsUrl());
}

int UpdateCommand::execute(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    Session s(err);
    if (!seedDataFolder(s))
        return kFailed;
    loadResultsWindow(s, parser);
    download::DownloadForm::CatchUp result;
    bool ran = false;
    s.form.catchUp = [&] {
        ran = true;
        result = s.downloadForm.SaisinKousin();
    };
    s.form.Form_Load(true);
    if (!ran) {
        out << "抽選履歴がありません。tessarin-cli import で numbers4_2.csv から生成してください。"
            << Qt::endl;
        return kFailed;
    }
    if (result.appended > 0)
        out << "第" << s.downloadForm.Label5[0].caption << "回から " << result.appended
            << " 回分を追加しました。" << Qt::endl;
    else if (result.complete)
        out << "新しい抽選結果はありません。" << Qt::endl;
    out << "最新: 第" << s.form.HistRows << "回" << Qt::endl;
    if (!result.complete) {
        reportDownloadFailure(s.downloadForm, err);
        return kFailed;
    }
    return kOk;
}

} // namespace cli
