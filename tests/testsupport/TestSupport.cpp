#include "testsupport/TestSupport.h"

#include "support/u_ExceptionDialog.h"

MessageRecorder::MessageRecorder() {
    // An error report is recorded as an error box closed with OK.
    SetReportRunner([this](TExceptionDialog& report) {
        messages_.push_back({MsgType::Error, report.Message(), MsgButtons::Ok});
        return static_cast<int>(QDialog::Accepted);
    });
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
    SetReportRunner({});
}

QStringList MessageRecorder::texts() const {
    QStringList result;
    for (const auto& m : messages_) {
        result << m.text;
    }
    return result;
}
