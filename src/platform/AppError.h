#pragma once

#include <QString>
#include <stdexcept>

// An error the program does not expect in normal work (a file that cannot be
// written, a number that does not convert). It travels up to the application
// object, which shows it in the standard exception box; the program goes on.
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString& message)
        : std::runtime_error(message.toStdString()), text_(message) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};
