#include "print/u_frameMainPrintTemplate.h"

#include "print/u_ReportBuilder.h"
#include "print/u_TemplateEditor.h"
#include "print/u_TemplateFile.h"
#include "support/u_ToolBarCaptions.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

TframeMainPrintTemplate::TframeMainPrintTemplate(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameMainPrintTemplate"));
    setProperty("helpContext", 32);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    tbPrintTemplate_ = new QToolBar(this);
    tbPrintTemplate_->setObjectName(QStringLiteral("tbPrintTemplate"));
    tbPrintTemplate_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ShowCaptionAccelerators(*tbPrintTemplate_);
    layout->addWidget(tbPrintTemplate_);
    tabTemplate_ = new QTabWidget(this);
    tabTemplate_->setObjectName(QStringLiteral("tabTemplate"));
    layout->addWidget(tabTemplate_, 1);
    buildBasicPage();
    tsUser_ = new QWidget(tabTemplate_);
    tsUser_->setObjectName(QStringLiteral("tsUser"));
    tsUser_->setProperty("helpContext", 34);
    auto* userLayout = new QVBoxLayout(tsUser_);
    editor_ = new TTemplateEditor(tsUser_);
    userLayout->addWidget(editor_);
    tabTemplate_->addTab(tsUser_, tr("&User"));
    // Until the settings name a page, the user's own template is shown.
    tabTemplate_->setCurrentWidget(tsUser_);
}

void TframeMainPrintTemplate::buildBasicPage() {
    tsBasic_ = new QWidget(tabTemplate_);
    tsBasic_->setObjectName(QStringLiteral("tsBasic"));
    auto* layout = new QVBoxLayout(tsBasic_);
    lstCols_ = new QListWidget(tsBasic_);
    lstCols_->setObjectName(QStringLiteral("lstCols"));
    layout->addWidget(lstCols_, 1);
    auto* buttons = new QHBoxLayout;
    cmdSelectAll_ = new QPushButton(tr("&Select All"), tsBasic_);
    cmdSelectAll_->setObjectName(QStringLiteral("cmdSelectAllCols"));
    cmdUnselectAll_ = new QPushButton(tr("Unse&lect All"), tsBasic_);
    cmdUnselectAll_->setObjectName(QStringLiteral("cmdUnselectAllCols"));
    buttons->addWidget(cmdSelectAll_);
    buttons->addWidget(cmdUnselectAll_);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(cmdSelectAll_, &QPushButton::clicked, this, [this] { SetAllColumns(true); });
    connect(cmdUnselectAll_, &QPushButton::clicked, this, [this] { SetAllColumns(false); });
    tabTemplate_->addTab(tsBasic_, tr("&Basic"));
}

void TframeMainPrintTemplate::SetCatalogue(const QStringList& names, const QStringList& titlesFull,
                                           const QStringList& names_2_5_2) {
    names_ = names;
    titlesFull_ = titlesFull;
    editor_->SetColumnNames(names, names_2_5_2);
}

void TframeMainPrintTemplate::FillColumns() {
    lstCols_->clear();
    for (const QString& title : titlesFull_) {
        auto* item = new QListWidgetItem(title, lstCols_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    if (lstCols_->count() > 0) {
        lstCols_->setCurrentRow(0);
    }
    editor_->FillColumns(titlesFull_);
}

void TframeMainPrintTemplate::SetAllColumns(bool ticked) {
    // The list is hidden while the marks change, so it repaints once.
    lstCols_->hide();
    for (int k = 0; k < lstCols_->count(); ++k) {
        lstCols_->item(k)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
    lstCols_->show();
}

QList<bool> TframeMainPrintTemplate::TickedColumns() const {
    QList<bool> ticked;
    for (int k = 0; k < lstCols_->count(); ++k) {
        ticked.append(lstCols_->item(k)->checkState() == Qt::Checked);
    }
    return ticked;
}

bool TframeMainPrintTemplate::IsBasicShown() const {
    return tabTemplate_->currentWidget() == tsBasic_;
}

void TframeMainPrintTemplate::ShowBasicPage() {
    tabTemplate_->setCurrentWidget(tsBasic_);
}

void TframeMainPrintTemplate::ShowUserPage() {
    tabTemplate_->setCurrentWidget(tsUser_);
}

QString TframeMainPrintTemplate::ChosenTemplate() const {
    return IsBasicShown() ? BasicTemplate(titlesFull_, names_, TickedColumns())
                          : editor_->templateText();
}

void TframeMainPrintTemplate::ApplyTemplateSettings(TSettingsOccasion occasion,
                                                    const QString& defaultTemplate,
                                                    int printStyle) {
    if (occasion != TSettingsOccasion::StartUp) {
        return;
    }
    editor_->rtbTemplateUser()->clear();
    const TemplateReadStatus status = editor_->FileReload(defaultTemplate, /*reportMissing=*/false);
    // A later Save asks for a name instead of overwriting the default template.
    editor_->ForgetFileName();
    if (status == TemplateReadStatus::Failed) {
        return;  // the error was shown; the step keeps its first page
    }
    if (printStyle == 1) {
        ShowUserPage();
    } else {
        ShowBasicPage();
    }
}
