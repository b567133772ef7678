#include "exchange/u_frmDBImportExport.h"

#include "ui_u_frmDBImportExport.h"

#include "session/u_ContactSchema.h"
#include "session/u_DBConverter.h"
#include "session/u_QuibReader.h"
#include "session/u_SourceDBCheck.h"
#include "support/u_BusyCursor.h"
#include "support/u_ExchangeError.h"
#include "support/u_MessageBox.h"

#include <QCoreApplication>
#include <QShowEvent>
#include "support/u_FileChooser.h"

TfrmDBImportExport::TfrmDBImportExport(const TQuibReader& mainQuib, const QString& programVersion,
                                       std::function<void()> reloadMainDatabase, QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TfrmDBImportExport>()),
      mainQuib_(mainQuib),
      programVersion_(programVersion),
      reloadMainDatabase_(std::move(reloadMainDatabase)),
      converter_(std::make_unique<TDBConverter>(programVersion)) {
    ui->setupUi(this);
    for (const TDBLayout& layout : DBLayouts()) {
        ui->lstDestDBVersion->addItem(
            QCoreApplication::translate("TDBLayouts", layout.text.toUtf8().constData()));
    }
    converter_->SourceChecked = [this](const TSourceDBCheck& check) {
        QuibSourceCheckCompatibility(check);
    };
    connect(ui->cmdSourceBrowse, &QPushButton::clicked, this,
            &TfrmDBImportExport::cmdSourceBrowseClick);
    connect(ui->cmdDestBrowse, &QPushButton::clicked, this,
            &TfrmDBImportExport::cmdDestBrowseClick);
    connect(ui->cmdSave, &QPushButton::clicked, this, &TfrmDBImportExport::cmdSaveClick);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->txtSourceFile, &QLineEdit::textChanged, this,
            &TfrmDBImportExport::updateSaveEnabled);
    connect(ui->txtDestFile, &QLineEdit::textChanged, this, &TfrmDBImportExport::updateSaveEnabled);
    updateSaveEnabled();
}

TfrmDBImportExport::~TfrmDBImportExport() = default;

void TfrmDBImportExport::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfrmDBImportExport::FormShow() {
    ui->lstDestDBVersion->setCurrentIndex(ui->lstDestDBVersion->count() - 1);
    // Unicode keeps every letter; Central European is for older programs.
    ui->lstDestTextEncoding->setCurrentIndex(0);
    ui->lblSourceDBVersion->clear();
    const QString mainName = mainQuib_.DatabaseName();
    ui->txtSourceFile->setText(mainName);
    ui->txtDestFile->setText(mainName);
    sourcePreset_ = destPreset_ = mainName;
    if (!mainName.isEmpty()) {
        checkSource(mainName);
    }
}

void TfrmDBImportExport::QuibSourceCheckCompatibility(const TSourceDBCheck& check) {
    ui->lblSourceDBVersion->setText(check.versionText);
    if (!check.accepted) {
        ShowMessage(MsgType::Error, check.error, MsgButtons::Ok, this);
    }
}

bool TfrmDBImportExport::checkSource(const QString& file) {
    try {
        return converter_->CheckSource(file);
    } catch (const std::exception& e) {
        // A damaged or unreadable file: the engine's message.
        ui->lblSourceDBVersion->clear();
        ShowMessage(MsgType::Error, QString::fromStdString(e.what()), MsgButtons::Ok, this);
    }
    return false;
}

void TfrmDBImportExport::updateSaveEnabled() {
    ui->cmdSave->setEnabled(!ui->txtSourceFile->text().isEmpty() &&
                            !ui->txtDestFile->text().isEmpty());
}

QString TfrmDBImportExport::runChooser(bool save, const QString& preset) {
    TFileChoice choice;
    choice.mode = save ? TFileChoice::Mode::Save : TFileChoice::Mode::Open;
    choice.objectName = save ? QStringLiteral("dlgSave") : QStringLiteral("dlgOpen");
    choice.title = save ? tr("Destination Database") : tr("Source Database");
    choice.nameFilters = {tr("Database (*.tbr)"), tr("All files (*)")};
    choice.defaultSuffix = QStringLiteral("tbr");
    choice.preset = preset;
    // The overwrite question comes when saving, after the backup.
    choice.confirmOverwrite = false;
    return ChooseFile(choice, this);
}

void TfrmDBImportExport::cmdSourceBrowseClick() {
    const QString chosen = runChooser(false, sourcePreset_);
    if (chosen.isEmpty()) {
        return;
    }
    sourcePreset_ = chosen;
    if (checkSource(chosen)) {
        ui->txtSourceFile->setText(chosen);
    } else {
        ui->txtSourceFile->clear();
    }
}

void TfrmDBImportExport::cmdDestBrowseClick() {
    const QString chosen = runChooser(true, destPreset_);
    if (chosen.isEmpty()) {
        return;
    }
    destPreset_ = chosen;
    ui->txtDestFile->setText(chosen);
}

void TfrmDBImportExport::cmdSaveClick() {
    const QString source = ui->txtSourceFile->text();
    const QString dest = ui->txtDestFile->text();
    const int layoutIndex = qMax(0, ui->lstDestDBVersion->currentIndex());
    const TBusyCursor busy;
    TDBConverter& converter = *converter_;
    converter.SetTextEncoding(ui->lstDestTextEncoding->currentIndex() == 1
                                  ? quib::TextEncoding::Windows1250
                                  : quib::TextEncoding::Utf8);
    TDBConverter::Result result = TDBConverter::Result::Declined;
    try {
        result = converter.Convert(source, dest, DBLayouts()[layoutIndex], [this] {
            return ShowMessage(MsgType::Confirmation,
                               tr("Destination file already exists. Are you sure to overwrite it?"),
                               MsgButtons::YesNo, this) == MsgResult::Yes;
        });
    } catch (const EExchangeError& e) {
        QString text = e.message();
        if (converter.BackupMade()) {
            text += QLatin1Char('\n') + tr("The original database is kept in \"%1\".")
                                            .arg(TDBConverter::BackupFileName(source));
        }
        ShowMessage(MsgType::Error, text, MsgButtons::Ok, this);
        return;
    }
    if (result == TDBConverter::Result::Declined) {
        return;
    }
    const QString mainName = mainQuib_.DatabaseName();
    if (!mainName.isEmpty() &&
        (TDBConverter::SameFile(dest, mainName) || TDBConverter::SameFile(source, mainName)) &&
        reloadMainDatabase_) {
        reloadMainDatabase_();
    }
    if (TDBConverter::SameFile(source, dest)) {
        // Shows the rewritten file's version.
        checkSource(source);
    }
    ShowMessage(MsgType::Information, tr("Import / Export was successful."), MsgButtons::Ok, this);
}
