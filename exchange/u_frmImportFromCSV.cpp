#include "exchange/u_frmImportFromCSV.h"

#include "ui_u_frmImportFromCSV.h"

#include "exchange/u_CsvImporter.h"
#include "exchange/u_CsvPreviewModel.h"
#include "exchange/u_CsvSourceMappings.h"
#include "exchange/u_DuplicateImport.h"
#include "exchange/u_ExchangeCancelled.h"
#include "exchange/u_ExchangeProgressDialog.h"
#include "exchange/u_dlgImportDuplicates.h"
#include "session/u_ContactsSession.h"
#include "support/u_ExchangeError.h"
#include "support/u_MessageBox.h"

#include <QHeaderView>
#include <QShowEvent>
#include "support/u_FileChooser.h"

namespace {

// The do-not-import choice keeps its Czech wording in every language.
const char* const kDoNotImport =
    QT_TRANSLATE_NOOP("TfrmImportFromCSV", "-- neimportovat sloupec --");
constexpr qsizetype kPreviewTextLimit = 1000;
// Headings named in the note on those not imported; the tip names them all.
constexpr qsizetype kUnmatchedNamed = 8;
constexpr int kPreviewColumnWidth = 240;

}  // namespace

TfrmImportFromCSV::TfrmImportFromCSV(TContactsSession& session, const QStringList& colsTitleFull,
                                     QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TfrmImportFromCSV>()),
      session_(session),
      colsTitleFull_(colsTitleFull),
      preview_(std::make_unique<TCsvPreviewModel>(colsTitleFull)) {
    ui->setupUi(this);
    ui->grdPreview->setModel(preview_.get());
    ui->grdPreview->horizontalHeader()->setMaximumSectionSize(kPreviewColumnWidth);
    // One line per record: multi-line values show their lines side by side.
    ui->grdPreview->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ui->grdPreview->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
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
        {ui->cmdMapByNames, &TfrmImportFromCSV::cmdMapByNamesClick},
        {ui->cmdOK, &TfrmImportFromCSV::cmdOKClick},
    };
    for (const auto& [button, handler] : handlers) {
        connect(button, &QPushButton::clicked, this, handler);
    }
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->cbHasHeaderRow, &QCheckBox::toggled, this, [this] {
        refreshPreview();
        updateMapByNamesState();
    });
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
    head_ = {};
    ui->cbHasHeaderRow->setChecked(true);
    showFirstRecord({});
    ui->lblMapByNames->hide();
    ui->lstAdd->clear();
    ui->lstAdd->addItem(tr(kDoNotImport));
    ui->lstAdd->addItems(colsTitleFull_);
    ui->lstAdd->setCurrentIndex(0);
    cmdDeleteAllClick();
    cmdAddAllClick();
    updateMapByNamesState();
}

QString TfrmImportFromCSV::runSourceChooser(const QString& preset) {
    TFileChoice choice;
    choice.objectName = QStringLiteral("dlgOpen");
    choice.title = tr("Source CSV File");
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
    head_ = {};
    showFirstRecord({});
    ui->lblMapByNames->hide();
    try {
        head_ = TCsvImporter::ReadHead(chosen, kPreviewRecords);
    } catch (const EExchangeError& e) {
        ShowMessage(MsgType::Error, e.message(), MsgButtons::Ok, this);
    }
    showFirstRecord(head_.first);
    updateMapByNamesState();
    if (ui->cbHasHeaderRow->isChecked() && !head_.first.fields.isEmpty()) {
        mapByNames();
    }
    refreshPreview();
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
    refreshPreview();
}

void TfrmImportFromCSV::cmdMapByNamesClick() {
    mapByNames();
}

void TfrmImportFromCSV::mapByNames() {
    const CsvSourceMappings::TMatch match = CsvSourceMappings::MatchHeadings(head_.first.fields);
    if (match.matched == 0) {
        ui->lblMapByNames->setText(
            tr("No heading of the first line matches a contact column; the mapping is left "
               "as it was."));
        ui->lblMapByNames->setToolTip(QString());
        ui->lblMapByNames->show();
        return;
    }
    mapping_.DeleteAll();
    for (const int field : match.fields) {
        mapping_.Add(field + 1, ui->lstAdd->itemText(field + 1));
    }
    showMapping(-1);
    showMapByNamesResult(match.unmatched, match.source);
    // The headings that fit no column are greyed in the list of the file's.
    const QBrush grey = palette().brush(QPalette::Disabled, QPalette::Text);
    for (int i = 0; i < ui->lstCSVColumns->count() && i < match.fields.size(); ++i) {
        if (match.fields[i] < 0) {
            ui->lstCSVColumns->item(i)->setForeground(grey);
        }
    }
}

void TfrmImportFromCSV::showMapByNamesResult(const QStringList& unmatched, const QString& source) {
    QString text = tr("Mapped by the headings of the first line (%1).").arg(source);
    if (!unmatched.isEmpty()) {
        QStringList named = unmatched.mid(0, kUnmatchedNamed);
        if (unmatched.size() > kUnmatchedNamed) {
            named << QStringLiteral("\u2026");
        }
        text +=
            u' ' + tr("Not imported, no contact column fits them (%1): %2")
                       .arg(QString::number(unmatched.size()), named.join(QStringLiteral(", ")));
    }
    ui->lblMapByNames->setText(text);
    ui->lblMapByNames->setToolTip(unmatched.join(u'\n'));
    ui->lblMapByNames->show();
}

void TfrmImportFromCSV::updateMapByNamesState() {
    ui->cmdMapByNames->setEnabled(ui->cbHasHeaderRow->isChecked() && !head_.first.fields.isEmpty());
}

QList<int> TfrmImportFromCSV::storedFields() const {
    QList<int> fields;
    for (const QString& target : mapping_.Targets()) {
        const int field = target.toInt();
        fields << (field >= 0 && !session_.Columns().lstDBColsIndexFromProgram.isMissing(field)
                       ? field
                       : -1);
    }
    return fields;
}

void TfrmImportFromCSV::refreshPreview() {
    QList<QStringList> records;
    if (!ui->cbHasHeaderRow->isChecked() && !head_.first.fields.isEmpty()) {
        records << head_.first.fields;
    }
    records << head_.following.mid(0, kPreviewRecords - records.size());
    preview_->SetRecords(records);
    preview_->SetMapping(storedFields());
    ui->grdPreview->resizeColumnsToContents();
    QString note;
    if (!head_.error.isEmpty()) {
        note = tr("The preview ends before a record that cannot be read: %1").arg(head_.error);
    } else if (!records.isEmpty() && preview_->Fields().isEmpty()) {
        note =
            tr("No field of the file is mapped to a contact column: the records will be "
               "added empty.");
    }
    ui->lblPreviewNote->setText(note);
    ui->lblPreviewNote->setVisible(!note.isEmpty());
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
    QString outcomeText;
    try {
        TExchangeProgressDialog progress(TExchangeProgressDialog::TWork::Import, this);
        TCsvImporter importer;
        importer.SetProgress(progress.Report());
        // The whole file is read and met with the database before anything
        // is stored.
        const TImportCheck check = CheckImport(
            session_,
            importer.Read(ui->txtFileName->text(), ui->cbHasHeaderRow->isChecked(), fields));
        TDuplicateAction action = TDuplicateAction::Add;
        if (check.count.total() > 0) {
            const auto answer =
                AskDuplicateAction(DuplicateQuestionText(check.count, check.imported.size()), this);
            if (!answer) {
                return;  // nothing was stored; the dialog stays for another try
            }
            action = *answer;
            outcomeText =
                ImportOutcomeText(StoreImport(session_, check, action, progress.Report()));
        } else {
            StoreImport(session_, check, action, progress.Report());
        }
    } catch (const EExchangeCancelled&) {
        return;  // nothing was appended; the dialog stays for another try
    } catch (const EExchangeError& e) {
        ShowMessage(MsgType::Error, e.message(), MsgButtons::Ok, this);
        return;
    }
    const QString done = tr("Import has been successful. Would you like to close the window?");
    if (ShowMessage(MsgType::Information, outcomeText.isEmpty() ? done : outcomeText + u'\n' + done,
                    MsgButtons::YesNo, this) == MsgResult::Yes) {
        accept();
    }
}
