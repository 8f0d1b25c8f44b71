#pragma once

#include <QString>

namespace notify {

// Shows a desktop notification through the org.freedesktop.Notifications service of the
// session bus, as "Tessarin" with the program's icon. Returns why it could not be shown (no
// session bus, no notification service on it, no answer within a few seconds), empty when the
// service took it.
QString showDesktopNotification(const QString& summary, const QString& body);

} // namespace notify
