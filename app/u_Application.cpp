#include "app/u_Application.h"

#include "support/u_ErrorReport.h"

#include <exception>
#include <stdexcept>

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
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        ReportException(e);
    } catch (...) {
        ReportException(std::runtime_error(
            QCoreApplication::translate("TPellumApplication", "Unknown error.").toStdString()));
    }
}
