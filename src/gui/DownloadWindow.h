#pragma once

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

    QPushButton* buttonFor(const ui::Button& control) const;
    QLineEdit* editFor(const ui::TextBox& control) const;
    GridView* gridView(const ui::Grid& grid) const;

private:
    QLabel* label(const ui::Label& control, bool framed = true);
    QPushButton* button(ui::Button& control, std::function<void()> handler);
    QLineEdit* textBox(ui::TextBox& control);
    GridView* grid(const ui::Grid& control);

    download::DownloadForm& form_;
    QtHost& host_;
    std::function<void()> previousAfterEvents_;
    std::vector<std::pair<QLabel*, const ui::Label*>> labels_;
    std::vector<std::pair<QPushButton*, const ui::Button*>> buttons_;
    std::vector<std::pair<QLineEdit*, const ui::TextBox*>> edits_;
    std::vector<GridView*> grids_;
};

} // namespace gui
