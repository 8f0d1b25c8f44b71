#include "ImportCommand.h"

#include "Session.h"

#include "history/DataFolder.h"

#include <QDir>

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
    const QString folder = history::dataFolder();
    if (!history::makeDataFolder(folder)) {
        err << "データフォルダ " << QDir::toNativeSeparators(folder) << " を作れません。"
            << Qt::endl;
        return kFailed;
    }
    // A file named on the command line is where the user sees it; the default is the data
    // folder's numbers4_2.csv, else the bundled one.
    const QStringList files = parser.positionalArguments();
    QString file = files.isEmpty() ? history::shippedFile(dl.Label4[0].caption, folder)
                                   : QDir::current().absoluteFilePath(files[0]);
    if (file.isEmpty())
        file = dl.Label4[0].caption;
    if (!dl.Command8_Click(file))
        return kFailed;
    session.form.Form_Load(false);
    out << "第1回から第" << session.form.HistRows << "回までの " << session.form.HistRows
        << " 回分を生成しました。" << Qt::endl;
    return kOk;
}

} // namespace cli
