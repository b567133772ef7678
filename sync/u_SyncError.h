#pragma once

#include <QString>

#include <stdexcept>

// A sync that could not be completed: the server could not be reached, it
// refused a request (Status and ServerText carry its answer), or its answer
// was malformed. The message is for the user; what() is UTF-8.
class ESyncError : public std::runtime_error {
  public:
    explicit ESyncError(const QString& message, int status = 0, const QString& serverText = {})
        : std::runtime_error(message.toStdString()),
          message_(message),
          status_(status),
          serverText_(serverText) {}
    const QString& message() const noexcept { return message_; }
    // The HTTP status of the server's answer; 0 when there was none.
    int status() const noexcept { return status_; }
    // The start of the body the server sent with an error status.
    const QString& serverText() const noexcept { return serverText_; }

  private:
    QString message_;
    int status_;
    QString serverText_;
};

// The user (or the program closing) stopped the sync. What was done on both
// sides until then is recorded.
class ESyncCancelled : public ESyncError {
  public:
    ESyncCancelled();
};
