#include "Cli.h"

#include "history/HistoryFiles.h"

#include <functional>

namespace cli {

void ConsoleHost::messageBox(const QString& text, const QString& title) {
    ++count_;
    QString shown = text;
    shown.replace(u'\r', u'\n');
    const QString heading = title.isEmpty() ? ui::applicationTitle() : title;
    err_ << "[" << heading << "] " << shown << Qt::endl;
}

Session::Session(QTextStream& err)
    : host(err), form(host, module), downloadForm(host, module, form) {
    // A damaged history ends the command with exit code 1, naming the way out.
    module.files.damageAdvice = QStringLiteral(
        "tessarin-cli import で numbers4_2.csv から抽選履歴を生成し直してください。");
    form.stopOnDamagedHistory = true;
}

int Args::intValue(const QString& name, int fallback) {
    if (!values.contains(name))
        return fallback;
    bool ok = false;
    const int v = values.value(name).toInt(&ok);
    if (!ok) {
        error = QStringLiteral("%1 には整数を指定してください: %2").arg(name, values.value(name));
        return fallback;
    }
    return v;
}

bool usageError(const Args& args, QTextStream& err) {
    if (args.error.isEmpty())
        return false;
    err << args.error << Qt::endl;
    return true;
}

Args parseArgs(const QStringList& words, const QSet<QString>& flags, const QSet<QString>& valued) {
    Args args;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& w = words[i];
        if (w.startsWith(QStringLiteral("--"))) {
            const qsizetype eq = w.indexOf(u'=');
            const QString name = eq < 0 ? w : w.left(eq);
            if (flags.contains(name) && eq < 0) {
                args.flags.insert(name);
            } else if (valued.contains(name)) {
                if (eq >= 0) {
                    args.values[name] = w.mid(eq + 1);
                } else if (i + 1 < words.size()) {
                    args.values[name] = words[++i];
                } else {
                    args.error = QStringLiteral("%1 に値がありません。").arg(name);
                    return args;
                }
            } else {
                args.error = QStringLiteral("不明なオプションです: %1").arg(w);
                return args;
            }
        } else {
            args.positional.append(w);
        }
    }
    return args;
}

namespace {

const char* const kHelp =
    "使い方: tessarin-cli [コマンド] [オプション]\n"
    "作業フォルダ（number414.dat のあるフォルダ）で実行します。\n"
    "\n"
    "コマンド:\n"
    "  summary               最新の抽選回、次回とその日付、記録数（既定のコマンド）\n"
    "  import [FILE]         FILE（既定 numbers4_2.csv）から number414.dat を生成し直す\n"
    "  history [--last N]    抽選履歴（回、当数、種別、BOX配当、抽選日）と次回\n"
    "  predict [--draw N] [--pair AC|AB|CD|BC|AD|BD] [--single-size N] [--double-size M]\n"
    "          [--more] [--cframe2] [--narrow sw|cframe|axis|axis2|more|test] [--json]\n"
    "                        第N回（既定は次回）を①集計・②集計・③S・W絞りで予想する。\n"
    "                        --pair 基本数値（既定 AC）、--single-size/--double-size\n"
    "                        Ｓ/Ｗ絞りの件数（既定 100）、--more 更に絞る、\n"
    "                        --cframe2 C枠　２個絞り、--narrow ③S・W絞りの代わりに使う絞り\n"
    "                        （cframe ③C枠絞り、axis ③軸数字絞り、axis2 ③軸数字絞り２、\n"
    "                        more ④更に絞る、test 絞り「テスト）、--json 結果を JSON で出力\n"
    "  verify (--month YYYY-MM | --count C [--draw N]) [オプション]\n"
    "                        シュミ集計: 月間または第N回（既定は次回）の前の C 回を検証\n"
    "      --pair AC|AB|CD|BC|AD|BD       基本数値の組（既定 AC）\n"
    "      --narrow sw|cframe|axis|axis2  使う③絞り（既定 sw: ③S・W絞り）\n"
    "      --single-size N, --double-size M  S・W の絞り数（既定 100）\n"
    "      --more, --cframe2              「更に絞る」「C枠　２個絞り」を使う\n"
    "      --whatif all|w|s|perfect|narrowed  購入したらの集計を加える\n"
    "      --json, --csv                  集計表を JSON または CSV で出力\n"
    "  back100 [--draw N]    Back100件: 第N回（既定は次回）の前の100回と同じボックスの前回\n"
    "  update [--results-url URL]\n"
    "                        起動時と同じく、最新回までの抽選結果を取得して追加する\n"
    "  fetch N [--append] [--results-url URL]\n"
    "                        第N回の抽選結果を取得して表示する（--append で履歴に追加）\n"
    "\n"
    "オプション:\n"
    "  -h, --help            この説明\n"
    "  --results-url URL     抽選結果のアドレス（既定は運営元のサイト）\n";

using Command = std::function<int(const QStringList&, QTextStream&, QTextStream&)>;

} // namespace

int run(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (!args.isEmpty() && (args[0] == QStringLiteral("--help") ||
                            args[0] == QStringLiteral("-h") || args[0] == QStringLiteral("help"))) {
        out << kHelp;
        return kOk;
    }
    static const QMap<QString, Command> commands = {
        {QStringLiteral("summary"), cmdSummary}, {QStringLiteral("import"), cmdImport},
        {QStringLiteral("history"), cmdHistory}, {QStringLiteral("predict"), cmdPredict},
        {QStringLiteral("verify"), cmdVerify},   {QStringLiteral("back100"), cmdBack100},
        {QStringLiteral("update"), cmdUpdate},   {QStringLiteral("fetch"), cmdFetch},
    };
    const QString name = args.isEmpty() ? QStringLiteral("summary") : args[0];
    const auto it = commands.find(name);
    if (it == commands.end()) {
        err << "不明なコマンドです: " << name << "\n" << kHelp;
        return kUsage;
    }
    try {
        return it.value()(args.mid(1), out, err);
    } catch (const history::FileError& e) {
        err << e.message() << Qt::endl;
        return kFailed;
    }
}

} // namespace cli
