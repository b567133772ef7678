#include "app/u_Application.h"

#include "support/u_MessageBox.h"

#include <exception>

TPellumApplication::TPellumApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TPellumApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        HandleException(std::current_exception());
    }
    return false;
}

void TPellumApplication::HandleException(const std::exception_ptr& error) {
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = QCoreApplication::translate("TPellumApplication", "Unknown error.");
    }
    ShowMessage(MsgType::Error, text, MsgButtons::Ok);
}
