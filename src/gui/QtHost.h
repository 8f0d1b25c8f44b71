#pragma once

#include "ui/Host.h"

#include <QWidget>

#include <functional>
#include <memory>

class QSoundEffect;

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

    // ---- exports, window capture, shutter sound -------------------------------------------
    QtHost();
    ~QtHost() override;
    bool openFile(const QString& path) override;
    void clearClipboard() override;
    // The window image is the top-level window of `parent`, as it is drawn now.
    void copyScreenImage(bool windowOnly) override;
    // "Open" loads a wave file, "Sound" plays it without waiting, "Close" stops it. Without a
    // file or a sound device nothing is heard and nothing is reported.
    void soundCommand(const QString& command, const QString& fileName) override;
    // Called when a sound started by "Sound" has finished (the form's MMControl1_Done).
    std::function<void()> soundDone;

private:
    std::unique_ptr<QSoundEffect> sound_;

protected:
    void showMessage(const QString& text, const QString& title) override;
};

} // namespace gui
