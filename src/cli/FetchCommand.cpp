#include "FetchCommand.h"

#include "ResultsWindow.h"

#include "download/ResultFile.h"

namespace cli {

FetchCommand::FetchCommand()
    : SessionCommand(QStringLiteral("fetch"),
                     QStringLiteral("第N回の抽選結果を取得して表示する（--append で履歴に追加）")) {
    positionals.append(
        {QStringLiteral("N"), QStringLiteral("取得する抽選回"), QStringLiteral("N")});
    options.append({QStringLiteral("append"), QStringLiteral("取得した抽選結果を履歴に追加する")});
    options.append(globals::resultsUrl());
}

void FetchCommand::readOptions(const QCommandLineParser& parser) {
    bool ok = false;
    const QStringList words = parser.positionalArguments();
    drawNo_ = words.size() == 1 ? words[0].toInt(&ok) : 0;
    if (!ok || drawNo_ < 1)
        throw UsageError{
            QStringLiteral("fetch には抽選回（1 以上の整数）を一つ指定してください。")};
}

int FetchCommand::executeWithSession(Session& session, const QCommandLineParser& parser,
                                     QTextStream& out, QTextStream& err) {
    auto& dl = session.downloadForm;
    loadResultsWindow(session, parser);
    // Only the draw after the latest one is an append; refuse before fetching anything.
    const bool append = parser.isSet(QStringLiteral("append"));
    const QString refusal =
        append ? download::appendRefusal(drawNo_, dl.storedDates(drawNo_).count) : QString();
    if (!refusal.isEmpty()) {
        err << refusal << " " << dl.Label4[1].caption << " は変更していません。" << Qt::endl;
        return kFailed;
    }
    dl.TSkeisan();
    if (!dl.FNoget()) {
        reportDownloadFailure(dl, err);
        return kFailed;
    }
    dl.Text2.text = QString::number(drawNo_);
    if (!dl.KekkaGet()) {
        reportDownloadFailure(dl, err);
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
        out << "第" << drawNo_ << "回を " << dl.Label4[1].caption << " に追加しました。"
            << Qt::endl;
    }
    return kOk;
}

} // namespace cli
