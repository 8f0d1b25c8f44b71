#pragma once

#include <QString>

#include <stdexcept>

namespace ui {

// A fault whose message is meant for the user as it stands (it names the file or what was
// asked). Each subsystem throws its own kind so that callers catch only what they handle.
class UserError : public std::runtime_error {
public:
    explicit UserError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

} // namespace ui
