#pragma once

#include <QApplication>

// The program's application object. Commands run inside the command boundary;
// an exception that still escapes an event handler goes to the error report
// as well and the program goes on.
class TPellumApplication : public QApplication {
    Q_OBJECT

  public:
    TPellumApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows an exception that reached the application's error handling.
    static void HandleException(const std::exception_ptr& error);
};
