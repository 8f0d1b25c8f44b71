#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace gui {

// A line that says what long work is under way, with a running indicator and a 中止 button.
// Hidden while nothing runs; any window can hold one (the main window in its status bar).
class BusyBar : public QWidget {
public:
    explicit BusyBar(QWidget* parent = nullptr);

    // Shows text; pressing 中止 then runs onStop once.
    void start(const QString& text, std::function<void()> onStop);
    void finish();
    // Work that knows its length shows how far it has come: steps done of steps in all.
    void setProgress(int done, int total);

    QString text() const;
    QPushButton* stopButton() const { return stop_; }

private:
    QLabel* text_;
    QProgressBar* bar_;
    QPushButton* stop_;
    std::function<void()> onStop_;
    bool running_ = false;
};

} // namespace gui
