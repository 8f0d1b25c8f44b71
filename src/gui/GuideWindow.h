#pragma once

#include <QWidget>

class QTextBrowser;

namespace gui {

// The guide (the shipped index.html with its pictures) in a window of the program, so that
// it opens on a machine without a web browser. Links to other sites go to the browser.
class GuideWindow : public QWidget {
public:
    explicit GuideWindow(QWidget* parent = nullptr);

    QTextBrowser* browser() const { return browser_; }

    // Shows `owner`'s guide window at the page `path`, making it on first use.
    static GuideWindow* open(const QString& path, QWidget* owner);

private:
    QTextBrowser* browser_;
};

} // namespace gui
