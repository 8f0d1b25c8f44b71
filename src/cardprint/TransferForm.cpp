#include "TransferForm.h"

#include "mainwindow/MainForm.h"

namespace cardprint {

TransferForm::TransferForm(mainwindow::MainForm& mainForm, PrintListForm& printList)
    : mainForm(mainForm), printList(printList) {}

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
    const struct {
        const ui::CheckBox& box;
        const ui::Grid& list;
        int count;
    } sources[] = {{Check1[0], f.GrdSS, f.basicCountS},
                   {Check1[1], f.GrdWW, f.basicCountW},
                   {Check2[0], f.GrdSS2, f.narrowCountS},
                   {Check2[1], f.GrdWW2, f.narrowCountW}};
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
            out.setText(row, 0, QString::number(row));
            const QString& number = s.list.text(i, 1);
            for (int j = 1; j <= 4; ++j)
                out.setText(row, j, number.mid(j - 1, 1));
        }
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
