#include "PrintPositionForm.h"

#include "ui/Numeric.h"

#include <algorithm>

namespace cardprint {

PrintPositionForm::PrintPositionForm(ui::Host& host_, history::AppModule& module_, Positions& pos)
    : host(host_), module(module_), InjiPos(pos) {}

void PrintPositionForm::Form_Load() {
    loaded = true;
    ShokiSet();
}

void PrintPositionForm::ShokiSet() {
    for (int i = 0; i < 6; ++i)
        Text1[i].text = QString::number(kDefaultPositions[i]);
}

Positions PrintPositionForm::textPositions() const {
    Positions pos{};
    for (int i = 0; i < 6; ++i)
        pos[i] = static_cast<int16_t>(
            std::clamp<long long>(ui::leadingInt(Text1[i].text), INT16_MIN, INT16_MAX));
    return pos;
}

void PrintPositionForm::Form_Activate() {
    auto& files = module.files;
    files.InjiPath = files.appFile(QStringLiteral("inji04.dat"));
    const auto record = readInjiFile(files.InjiPath);
    files.InjiCount = record ? 1 : 0;
    if (!record) {
        ShokiSet();
        RecWrite();
        return;
    }
    trailer_ = record->trailer;
    InjiPos = record->pos;
    for (int i = 0; i < 6; ++i)
        Text1[i].text = QString::number(InjiPos[i]);
}

void PrintPositionForm::RecWrite() {
    auto& files = module.files;
    files.InjiPath = files.appFile(QStringLiteral("inji04.dat"));
    InjiRecord record;
    record.pos = textPositions();
    record.trailer = trailer_;
    writeInjiFile(files.InjiPath, record);
    files.InjiCount = 1;
    InjiPos = record.pos;
}

void PrintPositionForm::Command1_Click() {
    RecWrite();
    host.messageBox(QStringLiteral("保存しました。"), QStringLiteral("保存"));
    visible = false;
}

void PrintPositionForm::Command2_Click() {
    auto printer = host.choosePrinter();
    if (!printer)
        return;
    if (!printCalibration(*printer, textPositions()))
        host.messageBox(QStringLiteral("印刷できませんでした。\r%1").arg(printer->error()),
                        QStringLiteral("テスト印刷"));
}

} // namespace cardprint
