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

// A filled shape drawn under a label button; its fill shows the pressed look.
struct Shape {
    unsigned fillColor = 0x252525; // 0xRRGGBB
    bool visible = true;
};

// A timer delivers its ticks through the host's event processing while it is enabled.
struct Timer {
    int intervalMs = 1000;
    bool enabled = false;
    std::function<void()> onTick;

    void tick() {
        if (onTick)
            onTick();
    }
};

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
