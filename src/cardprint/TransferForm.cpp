#include "TransferForm.h"

#include "mainwindow/MainForm.h"

namespace cardprint {

using mainwindow::ListCol;

TransferForm::TransferForm(mainwindow::MainForm& mainForm_, PrintListForm& printList_)
    : mainForm(mainForm_), printList(printList_) {}

void TransferForm::Label1_Click(int index) {
    if (index == kTransferLabel)
        Transfer();
}

void TransferForm::Label1_MouseDown(int index) {
    if (index == kTransferLabel)
        Shape1.setFill(0, 0, 0);
}

void TransferForm::Label1_MouseUp(int index) {
    if (index == kTransferLabel)
        Shape1.setFill(37, 37, 37);
}

int TransferForm::Transfer() {
    auto& f = mainForm;
    // Cards are bought on what they carry: never empty rows or the lists of another draw.
    if (!f.hasPrediction()) {
        printList.host.messageBox(mainwindow::MainForm::noPredictionMessage(),
                                  QStringLiteral("予想データ転送"));
        return 0;
    }
    const struct {
        const ui::CheckBox& box;
        const ui::Grid& list;
        int count;
    } sources[] = {{Check1[0], f.GrdSS, f.basicCountS},
                   {Check1[1], f.GrdWW, f.basicCountW},
                   {Check2[0], f.GrdSS2, f.narrowCountS},
                   {Check2[1], f.GrdWW2, f.narrowCountW}};
    // Loading an unloaded list empties it: load it before writing, not when showing it.
    if (!printList.loaded)
        printList.Form_Load();
    ui::Grid& out = printList.PrintList;
    int row = 0;
    int leftOut = 0;
    for (const auto& s : sources) {
        if (s.box.value != 1)
            continue;
        for (int i = 1; i <= s.count; ++i) {
            if (row == PrintListForm::kRows) {
                ++leftOut;
                continue;
            }
            ++row;
            out.setText(row, PrintListCol::No, QString::number(row));
            const QString& number = s.list.text(i, ListCol::Number);
            for (int j = 0; j < 4; ++j)
                out.setText(row, PrintListCol::DigitA + j, number.mid(j, 1));
        }
    }
    // Nothing to print: the print list and the position window would only open empty.
    if (row == 0) {
        printList.host.messageBox(
            QStringLiteral("転送する数字がありません。送る一覧にチェックを入れてください。"),
            QStringLiteral("予想データ転送"));
        return 0;
    }
    printList.Show();
    visible = false;
    if (leftOut > 0)
        printList.host.messageBox(
            QStringLiteral("印刷リストは %1 行までのため、残りの %2 件は転送しませんでした。")
                .arg(PrintListForm::kRows)
                .arg(leftOut),
            QStringLiteral("予想データ転送"));
    return row;
}

} // namespace cardprint
