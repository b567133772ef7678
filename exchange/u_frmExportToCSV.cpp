#include "exchange/u_frmExportToCSV.h"

#include "ui_u_frmExportToCSV.h"

#include "exchange/u_CsvExporter.h"
#include "exchange/u_ExchangeCancelled.h"
#include "exchange/u_ExchangeProgressDialog.h"
#include "session/u_QuibReader.h"
#include "support/u_ExchangeError.h"
#include "support/u_MessageBox.h"

#include <QShowEvent>
#include "support/u_FileChooser.h"

TfrmExportToCSV::TfrmExportToCSV(const TQuibReader& quib, const QStringList& colsName,
                                 const QStringList& colsTitleFull,
                                 const TColumnMap& colsIndexFromProgram, QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TfrmExportToCSV>()),
      quib_(quib),
      colsName_(colsName),
      colsTitleFull_(colsTitleFull),
      colsIndexFromProgram_(colsIndexFromProgram) {
    ui->setupUi(this);
    connect(ui->cmdBrowse, &QPushButton::clicked, this, &TfrmExportToCSV::cmdBrowseClick);
    connect(ui->cmdOK, &QPushButton::clicked, this, &TfrmExportToCSV::cmdOKClick);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

namespace {

// The first two texts of a list as examples of what it holds.
QString examples(const QStringList& texts) {
    return texts.mid(0, 2).join(QStringLiteral(", ")) + QStringLiteral(", \u2026");
}

}  // namespace

TfrmExportToCSV::~TfrmExportToCSV() = default;

void TfrmExportToCSV::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfrmExportToCSV::FormShow() {
    ui->txtFileName->setText(TCsvExporter::DefaultFileName(quib_.DatabaseName()));
    ui->lstColumns->clear();
    for (const QString& title : colsTitleFull_) {
        auto* item = new QListWidgetItem(title, ui->lstColumns);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    if (ui->lstColumns->count() > 0) {
        ui->lstColumns->setCurrentRow(0);
    }
    ui->cboHeader->clear();
    ui->cboHeader->addItem(tr("Column names (%1)").arg(examples(colsName_)));
    ui->cboHeader->addItem(tr("Column titles (%1)").arg(examples(colsTitleFull_)));
    ui->cboHeader->setCurrentIndex(0);
    ui->cboEncoding->setCurrentIndex(quib_.IsUnicode() ? 0 : 1);
}

TfrmExportToCSV::TEncoding TfrmExportToCSV::Encoding() const {
    return ui->cboEncoding->currentIndex() == 1 ? TEncoding::Windows1250 : TEncoding::Utf8;
}

TfrmExportToCSV::THeader TfrmExportToCSV::Header() const {
    return ui->cboHeader->currentIndex() == 1 ? THeader::Titles : THeader::Names;
}

QList<bool> TfrmExportToCSV::TickedColumns() const {
    QList<bool> ticked;
    for (int j = 0; j < ui->lstColumns->count(); ++j) {
        ticked << (ui->lstColumns->item(j)->checkState() == Qt::Checked);
    }
    return ticked;
}

QString TfrmExportToCSV::runDestinationChooser(const QString& preset) {
    TFileChoice choice;
    choice.mode = TFileChoice::Mode::Save;
    choice.objectName = QStringLiteral("dlgDest");
    choice.title = tr("Destination file");
    choice.nameFilters = {tr("CSV files (*.csv)"), tr("All files (*)")};
    choice.defaultSuffix = QStringLiteral("csv");
    choice.preset = preset;
    return ChooseFile(choice, this);
}

void TfrmExportToCSV::cmdBrowseClick() {
    const QString chosen = runDestinationChooser(ui->txtFileName->text());
    if (!chosen.isEmpty()) {
        ui->txtFileName->setText(chosen);
    }
}

void TfrmExportToCSV::cmdOKClick() {
    try {
        TExchangeProgressDialog progress(TExchangeProgressDialog::TWork::Export, this);
        TCsvExporter exporter(quib_, colsName_, colsIndexFromProgram_);
        if (Header() == THeader::Titles) {
            exporter.SetHeaderTexts(colsTitleFull_);
        }
        exporter.SetEncoding(Encoding() == TEncoding::Utf8 ? TCsvExporter::TEncoding::Utf8
                                                           : TCsvExporter::TEncoding::Windows1250);
        exporter.SetProgress(progress.Report());
        exporter.ExportToFile(ui->txtFileName->text(), TickedColumns());
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
