#include "Back100Command.h"

namespace cli {

Back100Command::Back100Command()
    : SessionCommand(
          QStringLiteral("back100"),
          QStringLiteral("Back100件: 第N回（既定は次回）の前の100回と同じボックスの前回")) {
    options.append(drawOption(QStringLiteral("前の100回を調べる回（既定は次回）")));
}

int Back100Command::executeWithSession(Session& session, const QCommandLineParser& parser,
                                       QTextStream& out, QTextStream&) {
    auto& f = session.form;
    f.Combo1.text = QString::number(chosenDraw(parser, f));
    f.Command5_Click();
    out << "回\t当数\t同ボックス\t間隔" << Qt::endl;
    for (int r = 1; r <= 100; ++r) {
        // Before draw 101 there are fewer than 100 draws to list.
        if (f.GrdR.text(r, 0).isEmpty())
            break;
        out << f.GrdR.text(r, 0) << '\t' << f.GrdR.text(r, 1) << '\t' << f.GrdR.text(r, 2) << '\t'
            << f.GrdR.text(r, 3) << Qt::endl;
    }
    return kOk;
}

} // namespace cli
