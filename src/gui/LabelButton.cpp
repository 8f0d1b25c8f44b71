#include "LabelButton.h"

#include "ui/Controls.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace gui {

namespace {

int shiftOf(Qt::KeyboardModifiers modifiers) {
    return modifiers.testFlag(Qt::ShiftModifier) ? ui::ShiftMask : 0;
}

bool isActivationKey(const QKeyEvent* event) {
    return !event->isAutoRepeat() &&
           (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
            event->key() == Qt::Key_Enter);
}

} // namespace

LabelButton::LabelButton(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    restyle();
}

void LabelButton::setFill(const QColor& fill) {
    if (fill == fill_)
        return;
    fill_ = fill;
    restyle();
}

void LabelButton::restyle() {
    // The shape's fill with a light caption; a label without a shape looks like a flat
    // button. A focused label is outlined so the keyboard user sees where they are.
    const QString base =
        fill_.isValid()
            ? QStringLiteral("QLabel { background-color: %1; color: #ffffff; border: 2px solid "
                             "%1; border-radius: 4px; padding: 2px 6px; }")
                  .arg(fill_.name())
            : QStringLiteral("QLabel { background-color: %1; border: 1px solid #9aa4b0; "
                             "border-radius: 3px; padding: 1px 5px; }")
                  .arg(down_ ? QStringLiteral("#c8d0da") : QStringLiteral("#eef1f5"));
    setStyleSheet(base + QStringLiteral(" QLabel:focus { border: 2px solid #ffb000; }"));
}

void LabelButton::press(int button, int shift) {
    if (button == ui::LeftButton) {
        down_ = true;
        restyle();
    }
    if (pressed)
        pressed(button, shift);
}

void LabelButton::release(bool click) {
    const bool wasDown = down_;
    down_ = false;
    restyle();
    if (released)
        released();
    if (click && wasDown && clicked)
        clicked();
}

void LabelButton::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const int button = event->button() == Qt::LeftButton    ? ui::LeftButton
                       : event->button() == Qt::RightButton ? ui::RightButton
                                                            : 0;
    press(button, shiftOf(event->modifiers()));
}

void LabelButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    release(rect().contains(event->position().toPoint()));
}

void LabelButton::mouseDoubleClickEvent(QMouseEvent* event) {
    if (doubleClicked && event->button() == Qt::LeftButton)
        doubleClicked();
    else
        mousePressEvent(event);
}

void LabelButton::keyPressEvent(QKeyEvent* event) {
    if (!isActivationKey(event))
        return QLabel::keyPressEvent(event);
    press(ui::LeftButton, 0);
}

void LabelButton::keyReleaseEvent(QKeyEvent* event) {
    if (!isActivationKey(event) || !down_)
        return QLabel::keyReleaseEvent(event);
    release(true);
}

void LabelButton::focusOutEvent(QFocusEvent* event) {
    if (down_)
        release(false);
    QLabel::focusOutEvent(event);
}

} // namespace gui
