#include "SummaryCommand.h"

namespace cli {

using mainwindow::Grd2Col;

SummaryCommand::SummaryCommand()
    : SessionCommand(QStringLiteral("summary"),
                     QStringLiteral("最新の抽選回、次回とその日付、記録数（既定のコマンド）")) {
    warnsOfOldHistory = true;
}

int SummaryCommand::executeWithSession(Session& session, const QCommandLineParser&,
                                       QTextStream& out, QTextStream&) {
    const auto& f = session.form;
    if (f.HistRows == 0) {
        out << "抽選履歴がありません（" << session.module.files.HistPath << "）。" << Qt::endl;
        out << "tessarin-cli import で numbers4_2.csv から生成してください。" << Qt::endl;
        return kOk;
    }
    out << "最新: 第" << f.Grd2.text(f.HistRows, Grd2Col::Number) << "回 "
        << f.Grd2.text(f.HistRows, Grd2Col::Date) << " 当数 "
        << f.Grd2.text(f.HistRows, Grd2Col::WinNumber) << Qt::endl;
    printNextDraw(f, out);
    out << "記録数: " << f.HistRows << Qt::endl;
    return kOk;
}

} // namespace cli
