#include "support/u_CommandBoundary.h"

#include "support/u_ErrorReport.h"
#include "support/u_ExchangeError.h"
#include "support/u_MessageBox.h"

#include <QAction>
#include <QCoreApplication>

#include <stdexcept>

void RunGuarded(const std::function<void()>& handler) noexcept {
    try {
        try {
            handler();
        } catch (const EExchangeError& e) {
            // An expected failure (a file, a text the database cannot hold):
            // its message says it all, no error report is needed.
            ShowMessage(MsgType::Error, e.message());
        } catch (const std::exception& e) {
            ReportException(e);
        } catch (...) {
            ReportException(std::runtime_error(
                QCoreApplication::translate("TPellumApplication", "Unknown error.").toStdString()));
        }
    } catch (...) {
        // Showing the report failed as well; nothing is left to tell it with.
    }
}

QMetaObject::Connection ConnectCommand(QAction* action, const QObject* context,
                                       std::function<void()> handler) {
    return QObject::connect(action, &QAction::triggered, context,
                            [handler = std::move(handler)] { RunGuarded(handler); });
}
