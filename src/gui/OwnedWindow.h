#pragma once

#include <QObject>

namespace gui {

// The window of type W that `owner` holds, or nullptr. The windows carry no Q_OBJECT, so
// findChild<W*> (which goes by the meta-object) would take any child widget for one.
template <typename W> W* ownedWindow(const QObject* owner) {
    for (QObject* child : owner->children())
        if (auto* window = dynamic_cast<W*>(child))
            return window;
    return nullptr;
}

} // namespace gui
