#include "print/u_frameMainPrintPreview.h"

#include "print/u_ReportBuilder.h"
#include "print/u_TemplateRenderer.h"
#include "session/u_QuibReader.h"
#include "support/u_ProductInfo.h"
#include "support/u_ToolBarCaptions.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QProgressBar>
#include <QStackedLayout>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The window repaints at least this often while a report is built.
constexpr qint64 kRepaintMs = 50;

}  // namespace

TframeMainPrintPreview::TframeMainPrintPreview(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameMainPrintPreview"));
    setProperty("helpContext", 33);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    tbPrintPreview_ = new QToolBar(this);
    tbPrintPreview_->setObjectName(QStringLiteral("tbPrintPreview"));
    tbPrintPreview_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ShowCaptionAccelerators(*tbPrintPreview_);
    layout->addWidget(tbPrintPreview_);

    stack_ = new QStackedLayout;
    rtb1_ = new QTextEdit(this);
    rtb1_->setObjectName(QStringLiteral("rtb1"));
    rtb1_->setReadOnly(true);
    rtb1_->setUndoRedoEnabled(false);
    pnlWait_ = new QFrame(this);
    pnlWait_->setObjectName(QStringLiteral("pnlWait"));
    auto* waitLayout = new QVBoxLayout(pnlWait_);
    lblWait_ = new QLabel(tr("Wait please..."), pnlWait_);
    lblWait_->setObjectName(QStringLiteral("lblWait"));
    lblWait_->setAlignment(Qt::AlignCenter);
    QFont big = lblWait_->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 2.5);
    lblWait_->setFont(big);
    waitLayout->addWidget(lblWait_);
    stack_->addWidget(rtb1_);
    stack_->addWidget(pnlWait_);
    layout->addLayout(stack_, 1);

    pb1_ = new QProgressBar(this);
    pb1_->setObjectName(QStringLiteral("pb1"));
    pb1_->hide();
    layout->addWidget(pb1_);

    rtbTemplate_ = new QTextEdit(this);
    rtbTemplate_->setObjectName(QStringLiteral("rtbTemplate"));
    rtbTemplate_->setAcceptRichText(false);
    rtbTemplate_->hide();
}

QTextDocument* TframeMainPrintPreview::report() const {
    return rtb1_->document();
}

void TframeMainPrintPreview::showProgress(int value, int maximum) {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (value != maximum && now - lastRepaint_ < kRepaintMs) {
        return;
    }
    pb1_->setMaximum(maximum);
    pb1_->setValue(value);
    lastRepaint_ = now;
    // Repaint without taking the user's input: the build runs on, and no
    // command can start in between.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TframeMainPrintPreview::PrepareReport(const TQuibReader& quib, const QStringList& names,
                                           const TColumnMap& fromProgram, const QList<bool>& rows) {
    stack_->setCurrentWidget(pnlWait_);
    pb1_->setValue(0);
    pb1_->show();
    lastRepaint_ = 0;
    showProgress(0, 1);

    // The report is built in a document of its own that no view lays out
    // until it is complete.
    auto* document = new QTextDocument(this);
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(rtb1_->font());
    TTemplateRenderer renderer(names, fromProgram,
                               [&quib](int row, int column) { return quib.GetData(row, column); });
    const TReportContent content{product::Name, quib.DatabaseName(), rtbTemplate_->toPlainText(),
                                 rows, ReportClosingLines()};
    const auto progress = [this](int value, int maximum) { showProgress(value, maximum); };
    BuildReport(*document, renderer, content, progress, progress);

    rtb1_->setDocument(document);
    if (ownReport_ != nullptr) {
        ownReport_->deleteLater();
    }
    ownReport_ = document;
    rtb1_->setTextCursor(QTextCursor(document));
    stack_->setCurrentWidget(rtb1_);
    pb1_->hide();
}
