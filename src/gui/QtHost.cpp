#include "QtHost.h"

#include <QApplication>
#include <QMessageBox>

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

} // namespace gui
