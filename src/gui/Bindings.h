#pragma once

#include "GridView.h"

#include "ui/Controls.h"

#include <QString>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QObject;
class QPushButton;
class QRadioButton;
class QWidget;

namespace gui {

// The widgets of one window, each bound to the control of the form it shows. A window
// makes its widgets here, lays them out itself, and calls refresh() after every handler;
// user input goes back into the controls, clicks go to the window's runner.
class Bindings {
public:
    using Runner = std::function<void(const std::function<void()>&)>;
    Bindings(QObject* owner, Runner run);

    QLabel* label(const ui::Label& control, QWidget* parent = nullptr);
    QPushButton* button(ui::Button& control, std::function<void()> handler,
                        QWidget* parent = nullptr);
    QCheckBox* checkBox(ui::CheckBox& control, QWidget* parent = nullptr);
    QComboBox* comboBox(ui::ComboBox& control, QWidget* parent = nullptr);
    QLineEdit* textBox(ui::TextBox& control);
    GridView* grid(const ui::Grid& control, int headerRows, double scale = 1.0);
    // A titled frame of option buttons, `columns` to a row, bound to the option group.
    QGroupBox* optionGroup(ui::OptionGroup& control, const QString& title, int columns);
    // A titled panel shown while the frame is visible.
    QGroupBox* frame(const ui::Frame& control, const QString& title, QLayout* content);

    // Brings every bound widget up to date with its control.
    void refresh();
    // True while refresh() runs, so that the widgets' change signals are not taken as input.
    bool refreshing() const { return refreshing_; }

    GridView* gridView(const ui::Grid& control) const;
    QPushButton* buttonFor(const ui::Button& control) const;
    QLineEdit* editFor(const ui::TextBox& control) const;

private:
    QObject* owner_;
    Runner run_;
    bool refreshing_ = false;
    std::vector<std::pair<QLabel*, const ui::Label*>> labels_;
    std::vector<std::pair<QPushButton*, const ui::Button*>> buttons_;
    std::vector<std::pair<QCheckBox*, ui::CheckBox*>> checks_;
    std::vector<std::pair<QComboBox*, ui::ComboBox*>> combos_;
    std::vector<std::pair<QLineEdit*, const ui::TextBox*>> edits_;
    std::vector<std::pair<std::vector<QRadioButton*>, ui::OptionGroup*>> options_;
    std::vector<std::pair<QGroupBox*, const ui::Frame*>> frames_;
    std::vector<GridView*> grids_;
};

// A grey caption beside a control.
QLabel* caption(const QString& text, QWidget* parent = nullptr);

} // namespace gui
