#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace ui {

// The small controls a window's logic reads and writes. They hold state only; a view
// shows them and forwards the user's actions to the window's handlers.

struct Label {
    QString caption;
    bool visible = true;
};

// A text box the user types into.
struct TextBox {
    QString text;
    bool visible = true;
};

struct Button {
    QString caption;
    bool enabled = true;
    bool visible = true;
    int backColor = 15; // basic 16-colour palette
};

struct CheckBox {
    QString caption;
    int value = 0; // 0 unticked, 1 ticked
    bool visible = true;
};

// A drop-down list: its items and the text standing in its edit field.
struct ComboBox {
    QStringList items;
    QString text;
    bool visible = true;

    void clear() {
        items.clear();
        text.clear();
    }
    void addItem(const QString& item) { items.append(item); }
};

// A row of option buttons of which one is selected (-1: none).
struct OptionGroup {
    QStringList captions;
    int selected = -1;
};

struct Frame {
    QString caption;
    int topTwips = 0;
    bool visible = true;
};

// A timer delivers its ticks through the host's event processing while it is enabled
// (Host::watchTimer). Start and stop it with setEnabled so that the host hears of it.
struct Timer {
    int intervalMs = 1000;
    bool enabled = false;
    std::function<void()> onTick;
    // Installed by the host that drives the timer.
    std::function<void()> onEnabledChanged;

    void setEnabled(bool on) {
        enabled = on;
        if (onEnabledChanged)
            onEnabledChanged();
    }
    void tick() {
        if (onTick)
            onTick();
    }
};

// A coloured shape under a label that acts as a button: its fill gives the pressed look.
struct Shape {
    int red = 37, green = 37, blue = 37;
    bool visible = true;

    void setFill(int r, int g, int b) {
        red = r;
        green = g;
        blue = b;
    }
    // The fill as 0xRRGGBB.
    unsigned fill() const { return unsigned(red) << 16 | unsigned(green) << 8 | unsigned(blue); }
};

// An image or picture box: only its visibility belongs to the logic.
struct Picture {
    bool visible = true;
};

// Mouse events reach the logic with the button and the Shift state.
enum MouseButton { LeftButton = 1, RightButton = 2 };
constexpr int ShiftMask = 1;

// True for the press that works the hidden switches: the right button with Shift held.
inline bool isShiftRightPress(int button, int shift) {
    return button == RightButton && (shift & ShiftMask) != 0;
}

// The multimedia control that plays the shutter sound. The logic sets its properties and
// sends it commands; the host carries them out.
struct SoundControl {
    bool notify = false;
    bool wait = true;
    bool shareable = false;
    QString deviceType;
    QString fileName;
    QString lastCommand;
};

} // namespace ui
