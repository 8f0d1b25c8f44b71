#include "ImportCommand.h"

#include "Session.h"

namespace cli {

ImportCommand::ImportCommand()
    : Command(QStringLiteral("import"),
              QStringLiteral("FILE（既定 numbers4_2.csv）から number414.dat を生成し直す")) {
    positionals.append({QStringLiteral("FILE"), QStringLiteral("取り込む抽選結果の CSV ファイル"),
                        QStringLiteral("[FILE]")});
}

int ImportCommand::execute(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    Session session(err);
    auto& dl = session.downloadForm;
    const QStringList files = parser.positionalArguments();
    if (!dl.Command8_Click(files.isEmpty() ? dl.Label4[0].caption : files[0]))
        return kFailed;
    session.form.Form_Load(false);
    out << "第1回から第" << session.form.HistRows << "回までの " << session.form.HistRows
        << " 回分を生成しました。" << Qt::endl;
    return kOk;
}

} // namespace cli
