#pragma once

#include "Bindings.h"
#include "GridView.h"
#include "QtHost.h"

#include "download/DownloadForm.h"
#include "ui/Controls.h"

#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace gui {

class BusyBar;

// The results window's view (frmDownL): shows the form's controls, forwards the buttons and
// the typing in the text boxes to the form, and refreshes after each handler. Made a window
// of its own, owned by the main window so that closing the main window ends the program.
class DownloadWindow : public QWidget {
public:
    DownloadWindow(download::DownloadForm& form, QtHost& host, QWidget* parent = nullptr);
    ~DownloadWindow() override;

    void refresh();
    // Runs a handler of the form, reports a file error, and refreshes every window.
    void run(const std::function<void()>& handler);

    QPushButton* buttonFor(const ui::Button& control) const { return bind_.buttonFor(control); }
    QLineEdit* editFor(const ui::TextBox& control) const { return bind_.editFor(control); }
    GridView* gridView(const ui::Grid& grid) const { return bind_.gridView(grid); }
    BusyBar* busyBar() const { return busy_; }

private:
    // A label shown framed, as the window's value fields are.
    QLabel* label(const ui::Label& control);

    download::DownloadForm& form_;
    QtHost& host_;
    std::function<void()> previousAfterEvents_;
    BusyBar* busy_ = nullptr; // progress and 中止 of this window's downloads
    Bindings bind_;
};

} // namespace gui
