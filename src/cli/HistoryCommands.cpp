// The commands about the stored history: summary, import, history.
#include "Cli.h"

namespace cli {

namespace {

void printNext(const mainwindow::MainForm& form, QTextStream& out) {
    out << "次回: 第" << form.LabCom1.caption << "回 " << form.Grd2.text(form.HistRows + 1, 8)
        << Qt::endl;
}

} // namespace

int cmdSummary(const QStringList& words, QTextStream& out, QTextStream& err) {
    const Args args = parseArgs(words, {}, {});
    if (usageError(args, err) || !args.positional.isEmpty()) {
        if (!args.positional.isEmpty())
            err << "summary に引数は要りません。" << Qt::endl;
        return kUsage;
    }
    Session s(err);
    s.form.Form_Load(false);
    const auto& f = s.form;
    if (f.HistRows == 0) {
        out << "抽選履歴がありません（" << s.module.files.HistPath << "）。" << Qt::endl;
        out << "tessarin-cli import で numbers4_2.csv から生成してください。" << Qt::endl;
        return kOk;
    }
    out << "最新: 第" << f.Grd2.text(f.HistRows, 0) << "回 " << f.Grd2.text(f.HistRows, 8)
        << " 当数 " << f.Grd2.text(f.HistRows, 1) << Qt::endl;
    printNext(f, out);
    out << "記録数: " << f.HistRows << Qt::endl;
    return kOk;
}

int cmdImport(const QStringList& words, QTextStream& out, QTextStream& err) {
    const Args args = parseArgs(words, {}, {});
    if (usageError(args, err))
        return kUsage;
    if (args.positional.size() > 1) {
        err << "import に指定できるファイルは一つです。" << Qt::endl;
        return kUsage;
    }
    // The history is not loaded first: a damaged one is what an import repairs.
    Session s(err);
    if (!args.positional.isEmpty())
        s.downloadForm.Label4[0].caption = args.positional[0];
    if (!s.downloadForm.Command8_Click())
        return kFailed;
    s.form.Form_Load(false);
    out << "第1回から第" << s.form.HistRows << "回までの " << s.form.HistRows
        << " 回分を生成しました。" << Qt::endl;
    return kOk;
}

int cmdHistory(const QStringList& words, QTextStream& out, QTextStream& err) {
    Args args = parseArgs(words, {}, {QStringLiteral("--last")});
    const int last = args.intValue(QStringLiteral("--last"), -1);
    if (usageError(args, err) || !args.positional.isEmpty()) {
        if (!args.positional.isEmpty())
            err << "不明な引数です: " << args.positional.join(u' ') << Qt::endl;
        return kUsage;
    }
    if (args.values.contains(QStringLiteral("--last")) && last < 0) {
        err << "--last には 0 以上の整数を指定してください。" << Qt::endl;
        return kUsage;
    }
    Session s(err);
    s.form.Form_Load(false);
    const auto& f = s.form;
    const int first = last < 0 ? 1 : std::max(1, f.HistRows - last + 1);
    out << "回\t当数\tSW\tBOX配当\t抽選日" << Qt::endl;
    for (int r = first; r <= f.HistRows; ++r)
        out << f.Grd2.text(r, 0) << '\t' << f.Grd2.text(r, 1) << '\t' << f.Grd2.text(r, 2) << '\t'
            << f.Grd2.text(r, 7) << '\t' << f.Grd2.text(r, 8) << Qt::endl;
    if (f.HistRows > 0)
        printNext(f, out);
    return kOk;
}

} // namespace cli
