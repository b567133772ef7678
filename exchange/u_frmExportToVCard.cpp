#include "exchange/u_frmExportToVCard.h"

#include "exchange/u_ExchangeCancelled.h"
#include "exchange/u_ExchangeProgressDialog.h"
#include "exchange/u_VCardExchange.h"
#include "session/u_QuibReader.h"
#include "support/u_ExchangeError.h"
#include "support/u_FileChooser.h"
#include "support/u_MessageBox.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QRadioButton* radio(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QPushButton* button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

}  // namespace

TfrmExportToVCard::TfrmExportToVCard(const TQuibReader& quib,
                                     const TColumnMap& colsIndexFromProgram,
                                     const QList<int>& queryRows, QWidget* parent)
    : QDialog(parent),
      quib_(quib),
      colsIndexFromProgram_(colsIndexFromProgram),
      queryRows_(queryRows) {
    setObjectName(QStringLiteral("frmExportToVCard"));
    setWindowTitle(tr("Export to vCard"));
    auto* records = new QGroupBox(tr("Export"), this);
    rbAllRecords_ = radio(tr("&All records (%1)").arg(quib.RowsCount()), "rbAllRecords", records);
    rbQueryResult_ = radio(tr("Records of the &query result (%1)").arg(queryRows.size()),
                           "rbQueryResult", records);
    rbAllRecords_->setChecked(true);
    rbQueryResult_->setEnabled(!queryRows.isEmpty());
    auto* recordsLayout = new QVBoxLayout(records);
    recordsLayout->addWidget(rbAllRecords_);
    recordsLayout->addWidget(rbQueryResult_);

    auto* version = new QGroupBox(tr("Version"), this);
    rbVersion40_ = radio(tr("vCard &4.0"), "rbVersion40", version);
    rbVersion30_ = radio(tr("vCard &3.0 (older phones and programs)"), "rbVersion30", version);
    rbVersion40_->setChecked(true);
    auto* versionLayout = new QVBoxLayout(version);
    versionLayout->addWidget(rbVersion40_);
    versionLayout->addWidget(rbVersion30_);

    auto* fileLabel = new QLabel(tr("Destination file:"), this);
    txtFileName_ = new QLineEdit(DefaultFileName(quib.DatabaseName()), this);
    txtFileName_->setObjectName(QStringLiteral("txtFileName"));
    fileLabel->setBuddy(txtFileName_);
    auto* cmdBrowse = button(tr("Browse..."), "cmdBrowse", this);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(txtFileName_, 1);
    fileRow->addWidget(cmdBrowse);

    auto* buttons = new QDialogButtonBox(this);
    auto* cmdOK = button(tr("&OK"), "cmdOK", this);
    auto* cmdCancel = button(tr("&Cancel"), "cmdCancel", this);
    cmdOK->setDefault(true);
    buttons->addButton(cmdOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdCancel, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(records);
    layout->addWidget(version);
    layout->addWidget(fileLabel);
    layout->addLayout(fileRow);
    layout->addStretch(1);
    layout->addWidget(buttons);
    resize(460, sizeHint().height());

    connect(cmdBrowse, &QPushButton::clicked, this, &TfrmExportToVCard::cmdBrowseClick);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmExportToVCard::cmdOKClick);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TfrmExportToVCard::DefaultFileName(const QString& databaseName) {
    if (databaseName.isEmpty()) {
        return QString();
    }
    const qsizetype slash = databaseName.lastIndexOf(u'/');
    const qsizetype dot = databaseName.lastIndexOf(u'.');
    return (dot <= slash ? databaseName : databaseName.left(dot)) + QStringLiteral(".vcf");
}

TVCardVersion TfrmExportToVCard::Version() const {
    return rbVersion30_->isChecked() ? TVCardVersion::V3_0 : TVCardVersion::V4_0;
}

QList<int> TfrmExportToVCard::ChosenRows() const {
    return rbQueryResult_->isChecked() ? queryRows_ : QList<int>();
}

QString TfrmExportToVCard::runDestinationChooser(const QString& preset) {
    TFileChoice choice;
    choice.mode = TFileChoice::Mode::Save;
    choice.objectName = QStringLiteral("dlgDest");
    choice.title = tr("Destination file");
    choice.nameFilters = {tr("vCard files (*.vcf)"), tr("All files (*)")};
    choice.defaultSuffix = QStringLiteral("vcf");
    choice.preset = preset;
    return ChooseFile(choice, this);
}

void TfrmExportToVCard::cmdBrowseClick() {
    const QString chosen = runDestinationChooser(txtFileName_->text());
    if (!chosen.isEmpty()) {
        txtFileName_->setText(chosen);
    }
}

void TfrmExportToVCard::cmdOKClick() {
    try {
        TExchangeProgressDialog progress(TExchangeProgressDialog::TWork::Export, this);
        TVCardExchange exchange(quib_, colsIndexFromProgram_, identityColumn_);
        exchange.SetProgress(progress.Report());
        exchange.ExportToFile(txtFileName_->text(), Version(), ChosenRows());
    } catch (const EExchangeCancelled&) {
        return;  // the old file is as it was
    } catch (const EExchangeError& e) {
        ShowMessage(MsgType::Error, e.message(), MsgButtons::Ok, this);
        return;
    }
    if (ShowMessage(MsgType::Information,
                    tr("Export has been successful. Would you like to close the window?"),
                    MsgButtons::YesNo, this) == MsgResult::Yes) {
        accept();
    }
}
