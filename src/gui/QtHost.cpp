#include "QtHost.h"

#include <QApplication>
#include <QMessageBox>

namespace gui {

void QtHost::messageBox(const QString& text, const QString& title) {
    if (afterEvents)
        afterEvents();
    QString shown = text;
    shown.replace(u'\r', u'\n');
    QMessageBox::information(parent, title.isEmpty() ? ui::applicationTitle() : title, shown,
                             QMessageBox::Ok);
}

void QtHost::processEvents() {
    if (afterEvents)
        afterEvents();
    QApplication::processEvents();
}

} // namespace gui
