#include "GuideWindow.h"

#include "OwnedWindow.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace gui {

GuideWindow::GuideWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Tessarin ガイド"));
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(860, 660);
}

GuideWindow* GuideWindow::open(const QString& path, QWidget* owner) {
    auto* window = ownedWindow<GuideWindow>(owner);
    if (!window)
        window = new GuideWindow(owner);
    // The pictures are looked up beside the page.
    window->browser_->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    window->show();
    window->raise();
    return window;
}

} // namespace gui
