#include "CardsCommand.h"

#include "Cli.h"
#include "Session.h"

#include "cardprint/PaintedPrinter.h"
#include "cardprint/PrintListForm.h"
#include "history/DataFolder.h"
#include "history/HistoryFiles.h"
#include "ledger/Book.h"
#include "ledger/Ledger.h"
#include "predict/Analysis.h"

#include <QDir>
#include <QGuiApplication>

namespace cli {

using cardprint::PrintListCol;

namespace {

constexpr int kPdfDpi = 1200;

// What --record keeps of a print: the draw after the latest one, and the ledger, opened
// (and every number checked) before anything is printed.
class CardRecord {
public:
    CardRecord(const cardprint::PrintListForm& form, ledger::BuyType type)
        : drawNo_(nextDraw()),
          ledger_(QDir(history::dataFolder()).filePath(ledger::Ledger::fileName()), true) {
        for (int row = 1; row <= cardprint::PrintListForm::kRows; ++row) {
            const ui::Grid& g = form.PrintList;
            if (g.text(row, PrintListCol::No).isEmpty())
                break;
            ledger::Ticket t;
            t.drawNo = drawNo_;
            t.type = type;
            for (int m = 0; m < 4; ++m)
                t.number += g.text(row, PrintListCol::DigitA + m);
            if (const QString problem = ledger::ticketProblem(t); !problem.isEmpty())
                throw UsageError{problem + QStringLiteral(" 印刷も記録もしていません。")};
        }
    }

    void store(const std::vector<cardprint::PrintListForm::Printed>& printed, QTextStream& out) {
        std::vector<ledger::Ticket> tickets;
        for (const auto& p : printed)
            tickets.push_back({0,
                               drawNo_,
                               p.number(),
                               ledger::BuyType(p.buyType),
                               1,
                               {},
                               ledger::Source::CardPrint});
        ledger_.add(tickets);
        out << "第" << drawNo_ << "回の購入として " << tickets.size() << " 口を記録しました。"
            << Qt::endl;
    }

private:
    static int nextDraw() {
        const int next =
            static_cast<int>(ledger::readDraws(history::dataFolder(), historyAdvice()).size()) + 1;
        if (next < predict::kFirstPredictableDraw)
            throw history::FileError(
                QStringLiteral("抽選履歴が第%1回までなので、次の回の購入として記録できません。")
                    .arg(next - 1));
        return next;
    }

    int drawNo_;
    ledger::Ledger ledger_;
};

} // namespace

ApplicationKind CardsCommand::applicationKind(const QStringList& words) const {
    return givesOption(words, QStringLiteral("pdf")) ? ApplicationKind::Gui
                                                     : ApplicationKind::Console;
}

CardsCommand::CardsCommand()
    : Command(QStringLiteral("cards"),
              QStringLiteral(
                  "印刷リストのファイルを申込みカードに印刷する（PDF）、または一覧を表示する")) {
    options.append({QStringLiteral("list"), QStringLiteral("読み込んだ印刷リストを表示する")});
    options.append(
        {QStringLiteral("pdf"), QStringLiteral("カードを PDF に印刷する"), QStringLiteral("OUT")});
    options.append({QStringLiteral("buy"), QStringLiteral("全行の買方 S|B|T（既定 S）"),
                    QStringLiteral("S|B|T"), QStringLiteral("S")});
    options.append({QStringLiteral("record"),
                    QStringLiteral("--pdf で印刷した数字を、買方とともに次の回（最新回 + 1）の"
                                   "購入として記録する")});
    options.append({QStringLiteral("calibration"),
                    QStringLiteral("位置合わせ用のテストカードを --pdf OUT に印刷する")});
    positionals.append({QStringLiteral("LIST"),
                        QStringLiteral("印刷リストのファイル（1行に4桁の数字）"),
                        QStringLiteral("[LIST]")});
}

int CardsCommand::execute(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    const bool calibration = parser.isSet(QStringLiteral("calibration"));
    const bool list = parser.isSet(QStringLiteral("list"));
    const QString pdf = parser.value(QStringLiteral("pdf"));
    const QString buy = parser.value(QStringLiteral("buy"));
    const QStringList files = parser.positionalArguments();
    const qsizetype buyIndex = QStringList{"S", "B", "T"}.indexOf(buy);
    const bool recording = parser.isSet(QStringLiteral("record"));
    const bool wellFormed =
        calibration ? files.isEmpty() && !pdf.isEmpty() && !list && !recording
                    : files.size() == 1 && (list != !pdf.isEmpty()) && !(list && recording);
    if (!wellFormed || buyIndex < 0)
        throw UsageError{QStringLiteral("使い方: tessarin-cli cards LIST (--list | --pdf OUT "
                                        "[--buy S|B|T] [--record]) または cards --calibration "
                                        "--pdf OUT")};
    if (!pdf.isEmpty() && !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        err << "PDF の出力には QGuiApplication が必要です。" << Qt::endl;
        return kFailed;
    }

    // For printing: the positions of this folder's inji04.dat (without creating it) and the
    // PDF, which replaces the file only once it is whole.
    cardprint::Positions positions = cardprint::kDefaultPositions;
    std::unique_ptr<cardprint::PaintedPrinter> printer;
    if (!pdf.isEmpty()) {
        const cardprint::InjiFile inji = cardprint::readInjiFile(
            QDir(history::dataFolder()).filePath(QStringLiteral("inji04.dat")));
        QString why = inji.problem;
        if (inji.record)
            positions = inji.record->pos;
        if (why.isEmpty())
            printer = cardprint::pdfPrinter(pdf, kPdfDpi, why);
        if (!printer) {
            err << why << Qt::endl;
            return kFailed;
        }
    }

    if (calibration) {
        if (!cardprint::printCalibration(*printer, positions)) {
            err << pdf << ": " << printer->error() << Qt::endl;
            return kFailed;
        }
        out << QStringLiteral("テストカード（1枚）を %1 に印刷しました。")
                   .arg(QDir::toNativeSeparators(pdf))
            << Qt::endl;
        return kOk;
    }

    ConsoleHost host(err);
    history::AppModule module;
    module.files.GetAppDir();
    cardprint::PrintListForm form(host, module);
    form.Form_Load();
    form.InjiPos = positions;
    if (!form.CsvIn(files[0]))
        return kFailed;
    form.Command1_Click(int(buyIndex));
    form.Command2_Click(0);
    if (list) {
        for (int row = 1; row <= cardprint::PrintListForm::kRows; ++row) {
            const ui::Grid& g = form.PrintList;
            if (g.text(row, PrintListCol::No).isEmpty())
                break;
            out << g.text(row, PrintListCol::No) << '\t' << g.text(row, PrintListCol::DigitA)
                << g.text(row, PrintListCol::DigitA + 1) << g.text(row, PrintListCol::DigitA + 2)
                << g.text(row, PrintListCol::DigitA + 3) << '\t'
                << g.text(row, PrintListCol::BuyWay) << '\t' << g.text(row, PrintListCol::Print)
                << '\n';
        }
        return kOk;
    }
    std::unique_ptr<CardRecord> record;
    if (recording) // before printing, so that a list that cannot be recorded prints nothing
        record = std::make_unique<CardRecord>(form, ledger::BuyType(buyIndex));
    if (!form.PrintCard(*printer))
        return kFailed;
    const auto numbers = static_cast<int>(form.lastPrinted.size());
    out << QStringLiteral("%1口（%2枚）を %3 に印刷しました。")
               .arg(numbers)
               .arg((numbers + cardprint::kSlotsPerCard - 1) / cardprint::kSlotsPerCard)
               .arg(QDir::toNativeSeparators(pdf))
        << Qt::endl;
    if (record)
        record->store(form.lastPrinted, out);
    return kOk;
}

} // namespace cli
