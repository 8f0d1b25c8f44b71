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
    const InjiFile inji = readInjiFile(files.InjiPath);
    files.InjiCount = inji.record ? 1 : 0;
    if (!inji.exists) {
        ShokiSet();
        RecWrite();
        return;
    }
    // Told once, not at every activation the message box itself brings back.
    if (!inji.problem.isEmpty() && inji.problem != problemShown_)
        host.messageBox(inji.problem, QStringLiteral("印字位置"));
    problemShown_ = inji.problem;
    if (!inji.record) {
        // A short file: the defaults are shown, and written only when the user saves them.
        ShokiSet();
        return;
    }
    trailer_ = inji.record->trailer;
    InjiPos = inji.record->pos;
    for (int i = 0; i < 6; ++i)
        Text1[i].text = QString::number(InjiPos[i]);
}

bool PrintPositionForm::RecWrite() {
    auto& files = module.files;
    files.InjiPath = files.appFile(QStringLiteral("inji04.dat"));
    InjiRecord record;
    record.pos = textPositions();
    const QString problem = positionsProblem(record.pos);
    if (!problem.isEmpty()) {
        host.messageBox(QStringLiteral("この印字位置は保存できません: %1。").arg(problem),
                        QStringLiteral("保存"));
        return false;
    }
    record.trailer = trailer_;
    writeInjiFile(files.InjiPath, record);
    files.InjiCount = 1;
    InjiPos = record.pos;
    problemShown_.clear();
    return true;
}

void PrintPositionForm::Command1_Click() {
    if (!RecWrite())
        return;
    host.messageBox(QStringLiteral("保存しました。"), QStringLiteral("保存"));
    visible = false;
}

void PrintPositionForm::Command2_Click() {
    const QString problem = positionsProblem(textPositions());
    if (!problem.isEmpty()) {
        host.messageBox(QStringLiteral("この印字位置では印刷できません: %1。").arg(problem),
                        QStringLiteral("テスト印刷"));
        return;
    }
    auto printer = host.choosePrinter();
    if (!printer)
        return;
    if (!printCalibration(*printer, textPositions()))
        host.messageBox(QStringLiteral("印刷できませんでした。\r%1").arg(printer->error()),
                        QStringLiteral("テスト印刷"));
}

} // namespace cardprint
