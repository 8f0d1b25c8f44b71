// The commands that talk to the operator's results site: update (the catch-up of the
// start-up) and fetch (one draw, shown and optionally appended).
#include "Cli.h"

#include "download/ResultFile.h"

namespace cli {

namespace {

// The results window as the start-up leaves it, pointed at the address given, if any.
void loadResultsWindow(Session& s, const Args& args) {
    s.downloadForm.Form_Load();
    const QString url = args.value(QStringLiteral("--results-url"));
    if (!url.isEmpty())
        s.downloadForm.useBaseAddress(url);
}

void reportFailure(const download::DownloadForm& dl, QTextStream& err) {
    if (!dl.lastFailure.isEmpty())
        err << "（" << dl.lastFailure << "）" << Qt::endl;
}

} // namespace

int cmdUpdate(const QStringList& words, QTextStream& out, QTextStream& err) {
    const Args args = parseArgs(words, {}, {QStringLiteral("--results-url")});
    if (usageError(args, err) || !args.positional.isEmpty()) {
        if (!args.positional.isEmpty())
            err << "不明な引数です: " << args.positional.join(u' ') << Qt::endl;
        return kUsage;
    }
    Session s(err);
    loadResultsWindow(s, args);
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
        reportFailure(s.downloadForm, err);
        return kFailed;
    }
    return kOk;
}

int cmdFetch(const QStringList& words, QTextStream& out, QTextStream& err) {
    const Args args =
        parseArgs(words, {QStringLiteral("--append")}, {QStringLiteral("--results-url")});
    if (usageError(args, err))
        return kUsage;
    bool ok = false;
    const int drawNo = args.positional.size() == 1 ? args.positional[0].toInt(&ok) : 0;
    if (!ok || drawNo < 1) {
        err << "fetch には抽選回（1 以上の整数）を一つ指定してください。" << Qt::endl;
        return kUsage;
    }
    Session s(err);
    s.form.Form_Load(false);
    auto& dl = s.downloadForm;
    loadResultsWindow(s, args);
    // Only the draw after the latest one is an append; refuse before fetching anything.
    const bool append = args.has(QStringLiteral("--append"));
    const QString refusal =
        append ? download::appendRefusal(drawNo, dl.storedDates(drawNo).count) : QString();
    if (!refusal.isEmpty()) {
        err << refusal << " " << dl.Label4[1].caption << " は変更していません。" << Qt::endl;
        return kFailed;
    }
    dl.TSkeisan();
    if (!dl.FNoget()) {
        reportFailure(dl, err);
        return kFailed;
    }
    dl.Text2.text = QString::number(drawNo);
    if (!dl.KekkaGet()) {
        reportFailure(dl, err);
        return kFailed;
    }
    if (!dl.DataPicup(dl.resultPath()))
        return kFailed;
    QStringList headings;
    QStringList row;
    for (int c = 1; c < dl.Grd1.cols(); ++c) {
        headings.append(dl.Grd1.text(0, c));
        row.append(dl.Grd1.text(1, c));
    }
    out << headings.join(u'\t') << Qt::endl << row.join(u'\t') << Qt::endl;
    if (append) {
        if (!dl.DataTuika())
            return kFailed;
        out << "第" << drawNo << "回を " << dl.Label4[1].caption << " に追加しました。" << Qt::endl;
    }
    return kOk;
}

} // namespace cli
