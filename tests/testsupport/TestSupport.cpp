#include "testsupport/TestSupport.h"

MessageRecorder::MessageRecorder() {
    SetMessageAnswerer([this](MsgType type, const QString& text, MsgButtons buttons) {
        messages_.push_back({type, text, buttons});
        if (!answers_.empty()) {
            const MsgResult answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Yes;
    });
}

MessageRecorder::~MessageRecorder() {
    SetMessageAnswerer({});
}

QStringList MessageRecorder::texts() const {
    QStringList result;
    for (const auto& m : messages_) {
        result << m.text;
    }
    return result;
}
