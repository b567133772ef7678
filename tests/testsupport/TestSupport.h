#pragma once

#include "support/u_MessageBox.h"

#include <QString>
#include <QStringList>

#include <deque>

// Answers the program's message boxes during a test and records what they
// said. Answers are taken in order; when none is queued, a box is answered
// with its first button (Ok or Yes). An error report is recorded as an error
// box with the report's message and closed with OK.
class MessageRecorder {
  public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void queueAnswer(MsgResult answer) { answers_.push_back(answer); }

    struct Message {
        MsgType type;
        QString text;
        MsgButtons buttons;
    };
    const std::deque<Message>& messages() const { return messages_; }
    QStringList texts() const;
    void clear() { messages_.clear(); }

  private:
    std::deque<MsgResult> answers_;
    std::deque<Message> messages_;
};
