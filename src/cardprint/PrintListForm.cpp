#include "PrintListForm.h"

#include "ui/Numeric.h"

#include <QDir>
#include <QStringList>

#include <optional>

namespace cardprint {

namespace {

const char16_t* const kHeadings[] = {u"Ｎｏ", u"Ａ", u"Ｂ", u"Ｃ", u"Ｄ", u"買方", u"印刷"};
const QString kPrint = QStringLiteral("○");
const QString kNoPrint = QStringLiteral("×");

} // namespace

PrintListForm::PrintListForm(ui::Host& host_, history::AppModule& module_)
    : host(host_), module(module_), frmPrsetn4(host_, module_, InjiPos) {}

void PrintListForm::Form_Load() {
    loaded = true;
    fontSet_ = false;
    GrdClear();
}

void PrintListForm::Form_Activate() {
    auto& files = module.files;
    files.InjiPath = files.appFile(QStringLiteral("inji04.dat"));
    const InjiFile inji = readInjiFile(files.InjiPath);
    if (!inji.exists) {
        frmPrsetn4.Show();
        return;
    }
    // A short file leaves no positions to print with; PrintCard refuses them until the
    // print-position window saves new ones.
    InjiPos = inji.record ? inji.record->pos : Positions{};
    // Told once, not at every activation the message box itself brings back.
    if (!inji.problem.isEmpty() && inji.problem != injiProblemShown_)
        host.messageBox(inji.problem, QStringLiteral("印字位置"));
    injiProblemShown_ = inji.problem;
}

void PrintListForm::Form_Unload() {
    GrdClear();
    visible = false;
    frmPrsetn4.visible = false; // its positions serve this window only
    loaded = false;
}

void PrintListForm::GrdClear() {
    PrintList.clear();
    for (int c = 0; c < 7; ++c)
        PrintList.setText(0, c, QString::fromUtf16(kHeadings[c]));
    PrintList.setTopRow(1);
    PrintList.selectCell(1, 1);
}

void PrintListForm::Picture1_Click() {
    GrdClear();
    visible = false;
    frmPrsetn4.visible = false;
}

void PrintListForm::Command1_Click(int k) {
    static const char* const kBuy[] = {"S", "B", "T"};
    for (int row = 1; row <= kRows; ++row)
        if (!PrintList.text(row, PrintListCol::No).isEmpty())
            PrintList.setText(row, PrintListCol::BuyWay, QString::fromLatin1(kBuy[k]));
}

void PrintListForm::Command2_Click(int k) {
    for (int row = 1; row <= kRows; ++row)
        if (!PrintList.text(row, PrintListCol::No).isEmpty())
            PrintList.setText(row, PrintListCol::Print, k == 0 ? kPrint : kNoPrint);
}

void PrintListForm::GrdA_Click(int row, int col) {
    if (row < 1 || row > kRows || col < 0 || col > 6)
        return;
    PrintList.selectCell(row, col);
    if (col == 0) {
        PrintList.setText(row, PrintListCol::No, QString::number(row));
    } else if (col == 5) {
        const QString& t = PrintList.text(row, PrintListCol::BuyWay);
        static const QStringList kCycle{QStringLiteral("S"), QStringLiteral("B"),
                                        QStringLiteral("T")};
        if (t.isEmpty())
            PrintList.setText(row, PrintListCol::BuyWay, kCycle[0]);
        else if (const qsizetype i = kCycle.indexOf(t); i >= 0)
            PrintList.setText(row, PrintListCol::BuyWay, kCycle[(i + 1) % 3]);
    } else if (col == 6) {
        PrintList.setText(row, PrintListCol::Print,
                          PrintList.text(row, PrintListCol::Print) == kPrint ? kNoPrint : kPrint);
    }
}

void PrintListForm::GrdA_KeyPress(QChar ch) {
    const auto [row, col] = PrintList.selectedCell();
    if (row < 1 || row > kRows)
        return;
    if (col == 0) {
        if (ch == u' ')
            PrintList.setText(row, PrintListCol::No, QString());
        return;
    }
    if (!(ch.isDigit() && ch.unicode() < 128) && ch != u' ' && ch != u'-')
        return;
    PrintList.setText(row, col, QString(ch));
    if (col >= 1 && col <= 3)
        PrintList.selectCell(row, col + 1);
    else if (col == 4 && row < kRows) {
        PrintList.selectCell(row + 1, 1);
        PrintList.showRow(row + 1);
    }
}

void PrintListForm::Command7_Click() {
    frmPrsetn4.Show();
}

namespace {

constexpr long long kPricePerNumberYen = 200; // one 口, whatever the buy type

} // namespace

void PrintListForm::Command6_Click() {
    std::vector<Printed> entries;
    if (!flaggedEntries(entries))
        return;
    std::array<int, 3> byType{};
    for (const Printed& e : entries)
        ++byType[static_cast<size_t>(e.buyType)];
    const int count = static_cast<int>(entries.size());
    QStringList types;
    const char16_t* names[] = {u"ストレート", u"ボックス", u"セット"};
    for (size_t t = 0; t < byType.size(); ++t)
        if (byType[t] > 0)
            types << QStringLiteral("%1 %2口").arg(QString::fromUtf16(names[t])).arg(byType[t]);
    if (!host.question(
            QStringLiteral("%1口（%2枚）を印刷します。購入額 %3\r%4")
                .arg(count)
                .arg((count + kSlotsPerCard - 1) / kSlotsPerCard)
                .arg(ui::yen(count * kPricePerNumberYen), types.join(QStringLiteral("、"))),
            QStringLiteral("印刷")))
        return;
    auto printer = host.choosePrinter();
    if (!printer)
        return;
    if (!PrintCard(*printer))
        return;
    if (const QString file = printer->outputFile(); !file.isEmpty())
        host.messageBox(QStringLiteral("%1 に印刷しました。").arg(QDir::toNativeSeparators(file)),
                        QStringLiteral("印刷"));
    if (afterPrint)
        afterPrint();
}

QString PrintListForm::Printed::number() const {
    QString text;
    for (int d : digits)
        text += QChar(u'0' + d);
    return text;
}

bool PrintListForm::flaggedEntries(std::vector<Printed>& entries) {
    // Everything is checked before the first mark, so a bad row never leaves half a job.
    const QString unusable = positionsProblem(InjiPos);
    if (!unusable.isEmpty()) {
        host.messageBox(
            positionsRefusal(module.files.appFile(QStringLiteral("inji04.dat")), unusable) +
                QStringLiteral("\n印刷を中止しました。"),
            QStringLiteral("印刷"));
        return false;
    }
    entries.clear();
    int buyType = 0;
    for (int row = 1; row <= kRows; ++row) {
        if (PrintList.text(row, PrintListCol::Print) != kPrint)
            continue;
        const QString& buy = PrintList.text(row, PrintListCol::BuyWay);
        if (buy == u"S")
            buyType = 0;
        else if (buy == u"B")
            buyType = 1;
        else if (buy == u"T")
            buyType = 2;
        Printed e{buyType, {}};
        for (int m = 0; m < 4; ++m) {
            const QString& cell = PrintList.text(row, PrintListCol::DigitA + m);
            if (cell.size() != 1 || cell[0] < u'0' || cell[0] > u'9') {
                host.messageBox(QStringLiteral("%1行目の数字が正しくありません（各桁に0～9を1文字ず"
                                               "つ入れてください）。印刷を中止しました。")
                                    .arg(row),
                                QStringLiteral("印刷"));
                return false;
            }
            e.digits[m] = cell[0].unicode() - u'0';
        }
        entries.push_back(e);
    }

    if (entries.empty()) { // a blank sheet is no use to anyone
        host.messageBox(QStringLiteral("印刷が「○」の行がありません。"), QStringLiteral("印刷"));
        return false;
    }
    return true;
}

bool PrintListForm::PrintCard(ui::Printer& printer) {
    std::vector<Printed> entries;
    if (!flaggedEntries(entries))
        return false;
    const auto failed = [&] {
        host.messageBox(QStringLiteral("印刷できませんでした。\r%1").arg(printer.error()),
                        QStringLiteral("印刷"));
        fontSet_ = false;
        return false;
    };
    if (!printer.begin())
        return failed();
    if (!fontSet_) {
        printer.setFont(QStringLiteral("ＭＳ ゴシック"), 12);
        fontSet_ = true;
    }
    int slot = 0;
    for (const Printed& e : entries) {
        // A full card starts the next sheet; no blank sheet follows the last card.
        if (slot == kSlotsPerCard) {
            slot = 0;
            if (!printer.newPage())
                return failed();
        }
        const Mark b = buyTypeMark(InjiPos, e.buyType, slot);
        printer.fillRect(b.x, b.y, kMarkWidthTwips, kMarkHeightTwips);
        for (int m = 0; m < 4; ++m) {
            const Mark d = digitMark(InjiPos, m, e.digits[m], slot);
            printer.fillRect(d.x, d.y, kMarkWidthTwips, kMarkHeightTwips);
        }
        if (!printer.error().isEmpty())
            return failed();
        ++slot;
    }
    if (!printer.end())
        return failed();
    lastPrinted = std::move(entries);
    return true;
}

} // namespace cardprint
