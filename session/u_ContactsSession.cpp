#include "session/u_ContactsSession.h"

#include "session/QUIBLib_TLB.h"
#include "session/u_BackgroundWriter.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"
#include "support/u_MessageBox.h"
#include "support/u_ProductInfo.h"
#include "support/u_ResourceStrings.h"

#include <quib/QuibSnapshot.h>

TContactsSession::TContactsSession(const QString& programVersion, QObject* parent)
    : QObject(parent),
      quib_(std::make_unique<TQuib>()),
      programVersion_(programVersion),
      writer_(std::make_unique<TBackgroundWriter>()) {
    quib_->setObjectName(QStringLiteral("Quib1"));
    columns_.lstDBColsName = ContactSchema::ColumnNames();
    columns_.lstDBColsIndexFromProgram = TColumnMap::Identity(ContactSchema::ColumnCount);
    columns_.lstDBColsIndexFromDB = TColumnMap::Identity(ContactSchema::ColumnCount);
    RetranslateTitles();
    subscribe();
    connect(writer_.get(), &TBackgroundWriter::writeFailed, this,
            &TContactsSession::reportFailedSave);
}

TContactsSession::~TContactsSession() {
    // The writes asked for are finished before the program goes.
    writer_.reset();
    // The handlers point into this session; nothing may reach them any more.
    quib_->OnRefreshData = nullptr;
    quib_->OnAfterMove = nullptr;
    quib_->OnSaveRow = nullptr;
    quib_->OnCheckCompatibility = nullptr;
}

void TContactsSession::subscribe() {
    quib_->OnRefreshData = [this] {
        emit refreshData();
        // The refresh filled the card, whose edits set the flag: undo that.
        SetRecordChanged(false);
    };
    quib_->OnAfterMove = [this] { emit afterMove(); };
    quib_->OnSaveRow = [this] { saveRow(); };
    quib_->OnCheckCompatibility = [this](int16_t& Cancel) { checkCompatibility(Cancel); };
}

QString TContactsSession::DatabaseName() const {
    return quib_->DatabaseName();
}

bool TContactsSession::IsOpen() const {
    return !quib_->DatabaseName().isEmpty();
}

TSessionState TContactsSession::State() const {
    return {IsOpen(), quib_->RowsCount(), quib_->RowIndex()};
}

void TContactsSession::RetranslateTitles() {
    columns_.lstDBColsTitle = ContactSchema::ColumnTitles();
    columns_.lstDBColsTitleFull = ContactSchema::ColumnTitlesFull();
}

int TContactsSession::ColumnOfField(int field) const {
    return columns_.lstDBColsIndexFromProgram.at(field);
}

QString TContactsSession::FieldText(int field) const {
    return quib_->GetData(-1, ColumnOfField(field));
}

bool TContactsSession::SetFieldText(int field, const QString& text) {
    // A field whose column the database lacks maps to column -1: the control
    // refuses its edits quietly.
    return quib_->SetData(-1, ColumnOfField(field), text);
}

void TContactsSession::SetRecordChanged(bool changed) {
    if (recordChanged_ == changed) {
        return;
    }
    recordChanged_ = changed;
    emit recordChangedChanged(changed);
}

void TContactsSession::saveRow() {
    const bool refresh = recordWriter_ ? recordWriter_() : true;
    // Every record save also writes the whole database file.
    requestSave();
    if (refresh) {
        quib_->RefreshData();
    }
}

void TContactsSession::requestSave() {
    writer_->Request(quib_->TakeSnapshot(), quib_->DatabaseName());
}

void TContactsSession::FinishSaves() {
    writer_->WaitUntilIdle();
}

void TContactsSession::reportFailedSave(const QString& path, const QString& message) {
    // The edits are still in memory: the next save writes them again.
    QString text = tr("The database could not be saved: %1\n\rDatabase File Name: %%DB_FILENAME%%"
                      "\n\r\n\rYour changes are kept; the next save of a record tries again.")
                       .arg(message);
    text = ReplaceFirst(text, QStringLiteral("%%DB_FILENAME%%"), path);
    ShowMessage(MsgType::Error, text, MsgButtons::Ok, messageParent_);
}

// --- Checking a database being opened -------------------------------------------

void TContactsSession::checkCompatibility(int16_t& Cancel) {
    const CompatibilityCheck check = CheckContactsDatabase(
        *quib_, programVersion_, columns_.lstDBColsName, columns_.lstDBColsTitleFull);
    if (!check.accepted) {
        ShowMessage(MsgType::Error, check.error, MsgButtons::Ok, messageParent_);
        Cancel = 1;
        return;
    }
    columns_.lstDBColsIndexFromProgram = check.indexFromProgram;
    columns_.lstDBColsIndexFromDB = check.indexFromDB;
    emit columnMapChanged();
    if (!check.warning.isEmpty()) {
        ShowMessage(MsgType::Warning, check.warning, MsgButtons::Ok, messageParent_);
    }
}

// --- File commands ---------------------------------------------------------------

void TContactsSession::setNoDatabase() {
    quib_->SetDatabaseName(QString());
    quib_->MoveFirst();
    quib_->RefreshData();
}

bool TContactsSession::Reload() {
    // The file being replaced may still be written in the background.
    FinishSaves();
    bool ok = false;
    // The clean-up runs in every case, also when Open raises; the error then
    // travels on to the caller.
    auto cleanUp = [&] {
        if (!ok) {
            quib_->SetDatabaseName(QString());
        }
        quib_->MoveFirst();
        quib_->RefreshData();
    };
    try {
        ok = quib_->Open();
    } catch (...) {
        cleanUp();
        throw;
    }
    cleanUp();
    return ok;
}

bool TContactsSession::OpenFile(const QString& path) {
    quib_->SetDatabaseName(path);
    return Reload();
}

void TContactsSession::Create(const QString& path) {
    FinishSaves();
    quib_->SetDatabaseName(path);
    try {
        writeNewDatabase();
    } catch (...) {
        // A database that could not be written is not open: the session goes
        // to the no-database state, as after a failed open.
        setNoDatabase();
        throw;
    }
    quib_->MoveFirst();
    quib_->RefreshData();
}

void TContactsSession::writeNewDatabase() {
    quib_->Create();
    WriteContactsHeaders(*quib_, product::MinDatabaseVersion, programVersion_,
                         columns_.lstDBColsName);
    // A new database holds every column in program order.
    columns_.lstDBColsIndexFromDB = TColumnMap::Identity(ContactSchema::ColumnCount);
    columns_.lstDBColsIndexFromProgram = columns_.lstDBColsIndexFromDB;
    emit columnMapChanged();
    quib_->NewRow(0);
    quib_->Save();
}

void TContactsSession::SaveAs(const QString& path) {
    // Save As writes at once, so that a failure keeps the old name.
    FinishSaves();
    const QString previous = quib_->DatabaseName();
    quib_->SetDatabaseName(path);
    try {
        quib_->Save();
    } catch (...) {
        // Nothing was written under the new name: go on editing the old file.
        quib_->SetDatabaseName(previous);
        throw;
    }
    quib_->RefreshData();
}

bool TContactsSession::SaveRow() {
    return quib_->SaveRow();
}

void TContactsSession::RefreshData() {
    quib_->RefreshData();
}
