#include "support/u_ExceptionDialog.h"

#include "ui_u_ExceptionDialog.h"

#include "support/u_MessageBox.h"
#include "support/u_ProductInfo.h"
#include "support/u_SimpleExceptionLog.h"
#include "support/u_StringRoutines.h"
#include "support/u_SystemInfo.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>
#include <QTextCursor>
#include <QTimer>

namespace {

bool reportShowing = false;
bool loggingOn = true;

TReportRunner& reportRunner() {
    static TReportRunner runner;
    return runner;
}

std::function<void()>& terminateRoutine() {
    static std::function<void()> routine = [] { QCoreApplication::exit(1); };
    return routine;
}

const char* const kHelpCaption = QT_TRANSLATE_NOOP(
    "TExceptionDialog",
    "<b>Please send the report about the error - including your description what caused it - to "
    "the author.</b>\r\n<p>\r\nPlease send the report in <link=Details>Details</link> - with "
    "description of steps you made that have caused the error, in what particular situation "
    "(conditions) the described error occured and so on - to the author "
    "(<link=SendEmail>{EMAIL}</link>). Thank you for your helpfulness.\r\n<br>\r\nNote: If you "
    "send your datas or data files, they will be used for testing and debugging purpose only. "
    "They will NOT be provided to any third party or abused any how,<br>\r\n<br>\r\n<b>Issues, "
    "which are not known to the author, cannot be solved.</b>");

const char* const kDetailsTitle =
    QT_TRANSLATE_NOOP("TExceptionDialog",
                      "Error details (click into the box and use CTRL+C to "
                      "<link=CopyToClipboard>copy the text to the clipboard</link>):");

// Shows the report, also when building it fails; true when the user chose
// to end the program.
bool showReport(const TErrorFacts& facts, const TStackTrace& stack) {
    QWidget* focused = QApplication::focusWidget();
    TExceptionDialog dialog(QApplication::activeWindow());
    dialog.SetError(facts, stack, focused);
    const int result = reportRunner() ? reportRunner()(dialog) : dialog.exec();
    return result == TExceptionDialog::TerminateResult;
}

void dispatch(const TErrorFacts& facts, const TStackTrace& stack) {
    if (reportShowing) {
        ShowMessage(MsgType::Error, facts.Message, MsgButtons::Ok);
        return;
    }
    reportShowing = true;
    bool terminate = false;
    try {
        terminate = showReport(facts, stack);
    } catch (...) {
        // An error while the report itself is built gets the plain box.
        ShowMessage(MsgType::Error, ReportMessage(ExceptionMessage(std::current_exception())),
                    MsgButtons::Ok);
    }
    reportShowing = false;
    if (terminate) {
        terminateRoutine()();
    }
}

}  // namespace

void HandleAppException(const std::exception_ptr& Error) {
    // The stack is read first: building the report may throw on its own.
    const TStackTrace stack = LastThrowStack();
    dispatch(FactsOf(Error), stack);
}

void HandleThreadException(const std::exception_ptr& Error, const QString& ThreadName) {
    TErrorFacts facts = FactsOf(Error);
    facts.ThreadName = ThreadName;
    const TStackTrace stack = LastThrowStack();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [facts, stack] { dispatch(facts, stack); },
        Qt::QueuedConnection);
}

void SetExceptionLogging(bool On) {
    loggingOn = On;
}
bool ExceptionLogging() {
    return loggingOn;
}
bool ReportShowing() {
    return reportShowing;
}
void SetTerminateRoutine(std::function<void()> Routine) {
    terminateRoutine() = Routine ? std::move(Routine) : [] { QCoreApplication::exit(1); };
}
void SetReportRunner(TReportRunner Runner) {
    reportRunner() = std::move(Runner);
}

// --- Dialog -------------------------------------------------------------------------

TExceptionDialog::TExceptionDialog(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TExceptionDialog>()) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("ExceptionDialog"));
    if (loggingOn) {
        ReportLog = std::make_unique<TSimpleExceptionLog>();
    }
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setWindowTitle(tr("%1 - Application Error").arg(ApplicationTitle()));
    const QIcon icon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    ui->lblIcon->setPixmap(icon.pixmap(32, 32));
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFamilies({QStringLiteral("Courier New"), QStringLiteral("monospace")});
    ui->DetailsMemo->setFont(fixed);
    ui->TextLabel->viewport()->setAutoFillBackground(false);
    prepareHelp();
    connectControls();
    expandedClientHeight_ = height();
    collapse();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

TExceptionDialog::~TExceptionDialog() = default;

void TExceptionDialog::prepareHelp() {
    QString help = tr(kHelpCaption);
    help.replace(QStringLiteral("{EMAIL}"), product::SupportEmail);
    ui->lblHelp->SetCaption(help);
    ui->lblDetailsTitle->SetCaption(tr(kDetailsTitle));
}

void TExceptionDialog::connectControls() {
    connect(ui->OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->cmdTerminate, &QPushButton::clicked, this, [this] { done(TerminateResult); });
    connect(ui->DetailsBtn, &QPushButton::clicked, this,
            [this] { SetDetailsShown(!detailsShown_); });
    connect(ui->cmdCopyToClipboard, &QPushButton::clicked, this,
            &TExceptionDialog::CopyToClipboard);
    connect(ui->cmdSendEmail, &QPushButton::clicked, this, &TExceptionDialog::SendEmail);
    for (TOrvLinkLabel* label : {ui->lblHelp, ui->lblDetailsTitle}) {
        connect(label, &TOrvLinkLabel::LinkClick, this,
                [this](int, const QString&, const QString& name) { linkClick(name); });
    }
    for (QWidget* box :
         {static_cast<QWidget*>(ui->TextLabel), static_cast<QWidget*>(ui->DetailsMemo)}) {
        box->installEventFilter(this);
    }
}

void TExceptionDialog::SetError(const TErrorFacts& Facts, const TStackTrace& Stack,
                                QWidget* Focused) {
    FocusedControl = Focused;
    stack_ = Stack;
    message_ = Facts.Message;
    ui->TextLabel->setPlainText(Facts.Message);
    ui->DetailsMemo->setPlainText(ReportHeaderLines(Facts).join(u'\n'));
}

// --- Collapsed and expanded --------------------------------------------------------

QString TExceptionDialog::detailsButtonCaption() const {
    QString caption = ui->DetailsBtn->text();
    caption.remove(u'<');
    caption.remove(u'>');
    return caption.trimmed();
}

void TExceptionDialog::collapse() {
    detailsShown_ = false;
    ui->DetailsBtn->setText(detailsButtonCaption() + QStringLiteral(" >>"));
    if (!ui->panelDetails->isHidden()) {
        expandedClientHeight_ = height();
    }
    ui->panelDetails->hide();
    ui->DetailsMemo->setEnabled(false);
    if (collapsedHeight_ == 0) {
        layout()->activate();
        collapsedHeight_ = sizeHint().height();
    }
    setMinimumHeight(collapsedHeight_);
    setMaximumHeight(collapsedHeight_);
    resize(width(), collapsedHeight_);
}

void TExceptionDialog::expand() {
    detailsShown_ = true;
    ui->DetailsBtn->setText(QStringLiteral("<< ") + detailsButtonCaption());
    const QScreen* screen = this->screen();
    const int screenHeight = screen != nullptr ? screen->availableGeometry().height() : 4096;
    setMinimumHeight(collapsedHeight_ + 100);
    setMaximumHeight(screenHeight);
    ui->panelDetails->show();
    ui->DetailsMemo->setEnabled(true);
    resize(width(), std::max(expandedClientHeight_, collapsedHeight_ + 100));
    if (screen != nullptr && geometry().bottom() > screen->availableGeometry().bottom()) {
        resize(width(), screen->availableGeometry().bottom() - y() + 1);
    }
}

void TExceptionDialog::SetDetailsShown(bool Shown) {
    if (Shown == detailsShown_) {
        return;
    }
    Shown ? expand() : collapse();
}

void TExceptionDialog::changeEvent(QEvent* event) {
    // Maximizing shows the details first, so that there is something to grow.
    if (event->type() == QEvent::WindowStateChange && isMaximized() && !detailsShown_) {
        expand();
        QTimer::singleShot(0, this, [this] { showMaximized(); });
    }
    QDialog::changeEvent(event);
}

// --- Details ------------------------------------------------------------------------

void TExceptionDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shownOnce_) {
        return;
    }
    shownOnce_ = true;
    QApplication::beep();
    setMinimumWidth(width());
    // After the dialog has been painted, so the user sees it at once.
    QTimer::singleShot(0, this, &TExceptionDialog::buildDetails);
}

void TExceptionDialog::buildDetails() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ui->DetailsMemo->setUpdatesEnabled(false);
    try {
        addDetails();
    } catch (...) {
        finishDetails();
        throw;
    }
    finishDetails();
}

void TExceptionDialog::addDetails() {
    QStringList lines;
    if (!stack_.Frames.empty()) {
        lines << QStringLiteral("Stack list, generated %1").arg(DateTimeToStr(stack_.Time));
        lines << StackLines(stack_.Frames) << SeparatorLine();
    }
    lines << SystemLines() << SeparatorLine();
    const QStringList modules = ModuleLines();
    if (!modules.isEmpty()) {
        lines << modules << SeparatorLine();
    }
    lines << ActiveControlLines(FocusedControl.data());
    ui->DetailsMemo->appendPlainText(lines.join(u'\n'));
    detailsBuilt_ = true;
    writeLog();
}

void TExceptionDialog::writeLog() {
    if (!ReportLog) {
        ui->lblLogFile->setText(tr("The report was not written to an error log."));
        return;
    }
    const bool written = ReportLog->Write(ReportText());
    ui->lblLogFile->setText(
        written ? tr("The report was added to the error log %1").arg(ReportLog->FileName())
                : tr("The error log %1 could not be written.").arg(ReportLog->FileName()));
}

void TExceptionDialog::finishDetails() {
    ui->DetailsMemo->moveCursor(QTextCursor::Start);
    ui->DetailsMemo->setUpdatesEnabled(true);
    for (QPushButton* b : {ui->OkBtn, ui->DetailsBtn, ui->cmdCopyToClipboard, ui->cmdSendEmail}) {
        b->setEnabled(true);
    }
    ui->OkBtn->setFocus();
    QApplication::restoreOverrideCursor();
}

QString TExceptionDialog::LogFileName() const {
    return ReportLog ? ReportLog->FileName() : QString();
}

// --- Copy and mail --------------------------------------------------------------------

QString TExceptionDialog::ReportText() const {
    QString details = ui->DetailsMemo->toPlainText();
    details.replace(u'\n', QStringLiteral("\r\n"));
    return ::ReportText(details);
}

void TExceptionDialog::CopyToClipboard() {
    QGuiApplication::clipboard()->setText(ReportText());
}

void TExceptionDialog::SendEmail() {
    // The mail carries a shortened report; the whole one waits on the clipboard.
    CopyToClipboard();
    QDesktopServices::openUrl(
        ReportMailUrl(product::SupportEmail, ApplicationTitle(), ReportText()));
}

void TExceptionDialog::linkClick(const QString& name) {
    if (name == QLatin1String("Details")) {
        SetDetailsShown(true);
        CopyToClipboard();
    } else if (name == QLatin1String("SendEmail")) {
        SendEmail();
    } else if (name == QLatin1String("CopyToClipboard")) {
        CopyToClipboard();
    }
}

void TExceptionDialog::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopyToClipboard();
        QApplication::beep();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TExceptionDialog::eventFilter(QObject* watched, QEvent* event) {
    // The text boxes would copy only their selection.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        CopyToClipboard();
        QApplication::beep();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
