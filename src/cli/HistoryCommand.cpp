#include "HistoryCommand.h"

#include <algorithm>

namespace cli {

HistoryCommand::HistoryCommand()
    : SessionCommand(QStringLiteral("history"),
                     QStringLiteral("抽選履歴（回、当数、種別、BOX配当、抽選日）と次回")) {
    options.append(
        {QStringLiteral("last"), QStringLiteral("最新の N 回だけを表示する"), QStringLiteral("N")});
}

void HistoryCommand::readOptions(const QCommandLineParser& parser) {
    last_ = intOption(parser, QStringLiteral("last"), -1, 0);
}

int HistoryCommand::executeWithSession(Session& session, const QCommandLineParser&,
                                       QTextStream& out, QTextStream&) {
    const auto& f = session.form;
    const int first = last_ < 0 ? 1 : std::max(1, f.HistRows - last_ + 1);
    out << "回\t当数\tSW\tBOX配当\t抽選日" << Qt::endl;
    for (int r = first; r <= f.HistRows; ++r)
        out << f.Grd2.text(r, 0) << '\t' << f.Grd2.text(r, 1) << '\t' << f.Grd2.text(r, 2) << '\t'
            << f.Grd2.text(r, 7) << '\t' << f.Grd2.text(r, 8) << Qt::endl;
    if (f.HistRows > 0)
        printNextDraw(f, out);
    return kOk;
}

} // namespace cli
