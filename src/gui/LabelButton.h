#pragma once

#include <QColor>
#include <QLabel>

#include <functional>

namespace gui {

// A label that works as a button: hand cursor, reachable with Tab, Space or Enter presses
// it, and a pressed look. Mouse presses reach the logic with the button and the Shift state
// (ui::MouseButton, ui::ShiftMask); a click is a left press released over the label.
class LabelButton : public QLabel {
public:
    explicit LabelButton(QWidget* parent = nullptr);

    std::function<void(int button, int shift)> pressed;
    std::function<void()> released;
    std::function<void()> clicked;
    std::function<void()> doubleClicked;

    // The fill behind the caption (the shape under the label); invalid: the plain look.
    void setFill(const QColor& fill);
    bool isDown() const { return down_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void press(int button, int shift);
    void release(bool click);
    void restyle();
    QColor fill_;
    bool down_ = false;
};

} // namespace gui
