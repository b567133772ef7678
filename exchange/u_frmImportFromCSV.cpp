#include "exchange/u_frmImportFromCSV.h"

#include "ui_u_frmImportFromCSV.h"

#include "exchange/u_BatchImport.h"
#include "exchange/u_CsvImporter.h"
#include "exchange/u_ExchangeCancelled.h"
#include "exchange/u_ExchangeProgressDialog.h"
#include "session/u_ContactsSession.h"
#include "support/u_ExchangeError.h"
#include "support/u_MessageBox.h"

#include <QShowEvent>
#include "support/u_FileChooser.h"

namespace {

// The do-not-import choice keeps its Czech wording in every language.
const char* const kDoNotImport =
    QT_TRANSLATE_NOOP("TfrmImportFromCSV", "-- neimportovat sloupec --");
constexpr qsizetype kPreviewTextLimit = 1000;

}  // namespace

TfrmImportFromCSV::TfrmImportFromCSV(TContactsSession& session, const QStringList& colsTitleFull,
                                     QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TfrmImportFromCSV>()),
      session_(session),
      colsTitleFull_(colsTitleFull) {
    ui->setupUi(this);
    const std::pair<QPushButton*, void (TfrmImportFromCSV::*)()> handlers[] = {
        {ui->cmdBrowse, &TfrmImportFromCSV::cmdBrowseClick},
        {ui->cmdAdd, &TfrmImportFromCSV::cmdAddClick},
        {ui->cmdAddAll, &TfrmImportFromCSV::cmdAddAllClick},
        {ui->cmdFirst, &TfrmImportFromCSV::cmdFirstClick},
        {ui->cmdPrevious, &TfrmImportFromCSV::cmdPreviousClick},
        {ui->cmdNext, &TfrmImportFromCSV::cmdNextClick},
        {ui->cmdLast, &TfrmImportFromCSV::cmdLastClick},
        {ui->cmdDelete, &TfrmImportFromCSV::cmdDeleteClick},
        {ui->cmdDeleteAll, &TfrmImportFromCSV::cmdDeleteAllClick},
        {ui->cmdOK, &TfrmImportFromCSV::cmdOKClick},
    };
    for (const auto& [button, handler] : handlers) {
        connect(button, &QPushButton::clicked, this, handler);
    }
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmImportFromCSV::~TfrmImportFromCSV() = default;

void TfrmImportFromCSV::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfrmImportFromCSV::FormShow() {
    ui->txtFileName->clear();
    ui->cbHasHeaderRow->setChecked(true);
    showFirstRecord({});
    ui->lstAdd->clear();
    ui->lstAdd->addItem(tr(kDoNotImport));
    ui->lstAdd->addItems(colsTitleFull_);
    ui->lstAdd->setCurrentIndex(0);
    cmdDeleteAllClick();
    cmdAddAllClick();
}

QString TfrmImportFromCSV::runSourceChooser(const QString& preset) {
    TFileChoice choice;
    choice.objectName = QStringLiteral("dlgOpen");
    choice.nameFilters = {tr("CSV Files (*.csv)"), tr("All files (*)")};
    choice.defaultSuffix = QStringLiteral("csv");
    choice.preset = preset;
    return ChooseFile(choice, this);
}

void TfrmImportFromCSV::cmdBrowseClick() {
    const QString chosen = runSourceChooser(ui->txtFileName->text());
    if (chosen.isEmpty()) {
        return;
    }
    ui->txtFileName->setText(chosen);
    showFirstRecord({});
    try {
        showFirstRecord(TCsvImporter::ReadFirstRecord(chosen));
    } catch (const EExchangeError& e) {
        ShowMessage(MsgType::Error, e.message(), MsgButtons::Ok, this);
    }
}

void TfrmImportFromCSV::showFirstRecord(const TCsvImporter::TFirstRecord& first) {
    ui->lstCSVColumns->clear();
    QStringList shown;
    shown.reserve(first.fields.size());
    for (const QString& field : first.fields) {
        // A huge value would only slow the list down; the start tells enough.
        shown << (field.size() > kPreviewTextLimit ? field.left(kPreviewTextLimit) + u'\u2026'
                                                   : field);
    }
    ui->lstCSVColumns->addItems(shown);
    ui->lblCSVColumnsMore->setText(
        tr("The first line has more fields; only the first %1 are shown.")
            .arg(first.fields.size()));
    ui->lblCSVColumnsMore->setVisible(first.more);
}

int TfrmImportFromCSV::selectedEntry() const {
    return ui->lstDBColumns->currentRow();
}

void TfrmImportFromCSV::showMapping(int selection) {
    ui->lstDBColumns->clear();
    ui->lstDBColumns->addItems(mapping_.Titles());
    if (selection >= 0 && selection < ui->lstDBColumns->count()) {
        ui->lstDBColumns->setCurrentRow(selection);
    }
}

void TfrmImportFromCSV::cmdAddClick() {
    const int chosen = ui->lstAdd->currentIndex();
    if (chosen < 0) {
        return;
    }
    mapping_.Add(chosen, ui->lstAdd->itemText(chosen));
    showMapping(selectedEntry());
}

void TfrmImportFromCSV::cmdAddAllClick() {
    QStringList titles;
    for (int k = 1; k < ui->lstAdd->count(); ++k) {
        titles << ui->lstAdd->itemText(k);
    }
    mapping_.AddAll(titles);
    showMapping(selectedEntry());
}

void TfrmImportFromCSV::cmdFirstClick() {
    showMapping(mapping_.MoveFirst(selectedEntry()));
}

void TfrmImportFromCSV::cmdPreviousClick() {
    showMapping(mapping_.MovePrevious(selectedEntry()));
}

void TfrmImportFromCSV::cmdNextClick() {
    showMapping(mapping_.MoveNext(selectedEntry()));
}

void TfrmImportFromCSV::cmdLastClick() {
    showMapping(mapping_.MoveLast(selectedEntry()));
}

void TfrmImportFromCSV::cmdDeleteClick() {
    const int s = selectedEntry();
    mapping_.Delete(s);
    // Keep a selection nearby so that several entries can be removed in turn.
    showMapping(qMin(s, mapping_.Count() - 1));
}

void TfrmImportFromCSV::cmdDeleteAllClick() {
    mapping_.DeleteAll();
    showMapping(-1);
}

void TfrmImportFromCSV::cmdOKClick() {
    const QList<int> fields = TCsvImporter::MappingFields(mapping_.Targets());
    try {
        TExchangeProgressDialog progress(TExchangeProgressDialog::TWork::Import, this);
        TCsvImporter importer;
        importer.SetProgress(progress.Report());
        const TRecordBatch batch =
            importer.Read(ui->txtFileName->text(), ui->cbHasHeaderRow->isChecked(), fields);
        // The whole file is read before anything is appended.
        ImportBatch(session_, batch, progress.Report());
    } catch (const EExchangeCancelled&) {
        return;  // nothing was appended; the dialog stays for another try
    } catch (const EExchangeError& e) {
        ShowMessage(MsgType::Error, e.message(), MsgButtons::Ok, this);
        return;
    }
    if (ShowMessage(MsgType::Information,
                    tr("Import has been successful. Would you like to close the window?"),
                    MsgButtons::YesNo, this) == MsgResult::Yes) {
        accept();
    }
}
