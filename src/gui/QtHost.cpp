#include "QtHost.h"

#include "cardprint/PaintedPrinter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace gui {

void QtHost::showMessage(const QString& text, const QString& title) {
    if (afterEvents)
        afterEvents();
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

void QtHost::processEvents() {
    if (afterEvents)
        afterEvents();
    QApplication::processEvents();
}

std::unique_ptr<ui::Printer> QtHost::choosePrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return std::make_unique<cardprint::PaintedPrinter>(std::move(printer));
}

namespace {

// "caption|patterns|caption|patterns" as Qt's filter list; the captions name their patterns.
QStringList qtFilters(const ui::FileDialog& dialog) {
    const QStringList parts = dialog.filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i];
    return filters;
}

QString chooseFile(QWidget* parent, const ui::FileDialog& dialog, QFileDialog::AcceptMode mode) {
    QFileDialog chooser(parent);
    chooser.setAcceptMode(mode);
    chooser.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                        : QFileDialog::ExistingFile);
    const QStringList filters = qtFilters(dialog);
    chooser.setNameFilters(filters);
    if (dialog.filterIndex >= 1 && dialog.filterIndex <= filters.size())
        chooser.selectNameFilter(filters[dialog.filterIndex - 1]);
    // The file name is taken as typed: the caller decides about the extension.
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return QString();
    return chooser.selectedFiles().first();
}

} // namespace

QString QtHost::saveFileName(const ui::FileDialog& dialog) {
    return chooseFile(parent, dialog, QFileDialog::AcceptSave);
}

QString QtHost::openFileName(const ui::FileDialog& dialog) {
    return chooseFile(parent, dialog, QFileDialog::AcceptOpen);
}

} // namespace gui
