#pragma once

#include "support/u_ReportText.h"
#include "support/u_StackTrace.h"

#include <QDialog>
#include <QPointer>

#include <exception>
#include <functional>
#include <memory>

namespace Ui {
class TExceptionDialog;
}
class TSimpleExceptionLog;

// The program's last line of error handling: every exception that escapes a
// command or an event handler comes here. A second error while a report is
// on screen is shown in a plain message box instead.
void HandleAppException(const std::exception_ptr& Error);

// The same for an error of a secondary thread; call it on that thread. The
// report is shown on the user-interface thread.
void HandleThreadException(const std::exception_ptr& Error, const QString& ThreadName);

// Whether error reports are appended to the error log (on by default).
void SetExceptionLogging(bool On);
bool ExceptionLogging();

// Whether a report is on screen now.
bool ReportShowing();

// Ends the program after the user chose Terminate; tests replace it.
void SetTerminateRoutine(std::function<void()> Routine);

class TExceptionDialog;
// Shows the report dialog modally and returns its result; tests replace it
// to read the report without a modal loop. An empty runner restores exec().
using TReportRunner = std::function<int(TExceptionDialog&)>;
void SetReportRunner(TReportRunner Runner);

// The error report dialog: the message, a request to send the report, and
// the details (stack, system, modules, active controls) built after the
// dialog is shown, appended to the error log, copied or mailed on request.
class TExceptionDialog : public QDialog {
    Q_OBJECT

  public:
    enum { TerminateResult = 2 };

    explicit TExceptionDialog(QWidget* parent = nullptr);
    ~TExceptionDialog() override;
    TExceptionDialog(const TExceptionDialog&) = delete;
    TExceptionDialog& operator=(const TExceptionDialog&) = delete;

    // Fills the message and the header lines of the report.
    void SetError(const TErrorFacts& Facts, const TStackTrace& Stack, QWidget* Focused);

    // The message as the dialog shows it.
    const QString& Message() const { return message_; }
    bool DetailsShown() const { return detailsShown_; }
    int CollapsedHeight() const { return collapsedHeight_; }
    void SetDetailsShown(bool Shown);
    bool DetailsBuilt() const { return detailsBuilt_; }

    QString ReportText() const;
    QString LogFileName() const;
    void CopyToClipboard();
    void SendEmail();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void connectControls();
    void prepareHelp();
    void linkClick(const QString& name);
    void buildDetails();
    void addDetails();
    void finishDetails();
    void writeLog();
    void collapse();
    void expand();
    QString detailsButtonCaption() const;

    std::unique_ptr<Ui::TExceptionDialog> ui;
    std::unique_ptr<TSimpleExceptionLog> ReportLog;
    QPointer<QWidget> FocusedControl;
    TStackTrace stack_;
    QString message_;
    bool detailsShown_ = true;
    bool detailsBuilt_ = false;
    bool shownOnce_ = false;
    int collapsedHeight_ = 0;
    int expandedClientHeight_ = 0;
};
