#pragma once

#include <QWidget>

class QChartView;

namespace mainwindow {
class MainForm;
}

namespace gui {

class QtHost;

// The chart of the tally shown in the main window: running balance of the narrowed lists
// against the draws with the chance baseline's expected balance, and the rolling win rate.
// 更新 redraws it from the latest tally, PNG保存 saves it as a picture.
class TallyChartWindow : public QWidget {
public:
    TallyChartWindow(const mainwindow::MainForm& form, QtHost& host, QWidget* parent = nullptr);

    void refresh();
    // Writes the chart shown as a PNG (aside, then renamed); returns why it could not,
    // empty on success.
    QString savePng(const QString& path) const;
    QChartView* view() const { return view_; }

    // Shows the window of `owner`'s form with the latest tally, making it on first use; the
    // main window's opener.
    static TallyChartWindow* open(const mainwindow::MainForm& form, QtHost& host, QWidget* owner);

private:
    const mainwindow::MainForm& form_;
    QtHost& host_;
    QChartView* view_;
};

} // namespace gui
