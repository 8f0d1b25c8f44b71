#pragma once

#include "ui/Host.h"

#include <QWidget>

#include <functional>

namespace gui {

// The platform for the window: real message boxes, real event processing (after which the
// views are refreshed), the system clock.
class QtHost : public ui::Host {
public:
    void processEvents() override;
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    std::unique_ptr<ui::Printer> choosePrinter() override;
    QString saveFileName(const ui::FileDialog& dialog) override;
    QString openFileName(const ui::FileDialog& dialog) override;

    QWidget* parent = nullptr;
    std::function<void()> afterEvents;

protected:
    void showMessage(const QString& text, const QString& title) override;
};

} // namespace gui
