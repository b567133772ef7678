#pragma once

#include <QString>

#include <stdexcept>

// An expected failure of an export, import or conversion (a file that cannot
// be read or written, a malformed line, a database step that failed). The
// dialogs show its text in an error message; what() is UTF-8.
class EExchangeError : public std::runtime_error {
  public:
    explicit EExchangeError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const noexcept { return message_; }

  private:
    QString message_;
};
