#include "session/u_ContactsSession.h"

#include "session/QUIBLib_TLB.h"
#include "session/u_BackgroundWriter.h"
#include "session/u_ChangeScope.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"
#include "session/u_FileStamp.h"
#include "session/u_RecordFilter.h"
#include "support/u_ProductInfo.h"

#include <quib/QuibSnapshot.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

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
    connect(writer_.get(), &TBackgroundWriter::writeFailed, this, &TContactsSession::saveFailed);
    connect(writer_.get(), &TBackgroundWriter::changedOnDisk, this,
            &TContactsSession::heldBackWrite);
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

void TContactsSession::SetRecordChanged(bool changed) {
    if (recordChanged_ == changed)
        return;
    recordChanged_ = changed;
    emit recordChangedChanged(changed);
}

void TContactsSession::subscribe() {
    quib_->OnRefreshData = [this] {
        emit refreshData();
        // The refresh filled the card, whose edits set the flag: undo that.
        SetRecordChanged(false);
    };
    quib_->OnAfterMove = [this] {
        if (changing_) {
            movedWhileChanging_ = true;
        } else {
            emit afterMove();
        }
    };
    quib_->OnSaveRow = [this] {
        if (recordWriter_) {
            recordWriter_();
        }
    };
    quib_->OnCheckCompatibility = [this](int16_t& Cancel) { checkCompatibility(Cancel); };
}

// --- Reading -----------------------------------------------------------------------

const TQuibReader& TContactsSession::Quib1() const {
    return *quib_;
}

QString TContactsSession::DatabaseName() const {
    return quib_->DatabaseName();
}

bool TContactsSession::IsOpen() const {
    return !quib_->DatabaseName().isEmpty();
}

TSessionState TContactsSession::State() const {
    TSessionState state{IsOpen(), quib_->RowsCount(), quib_->RowIndex()};
    state.shownRows = state.rows;
    state.shownIndex = state.rowIndex;
    if (IsFiltered()) {
        const QVector<int>& shown = filter_->Records();
        state.shownRows = static_cast<int>(shown.size());
        const auto at = std::lower_bound(shown.begin(), shown.end(), state.rowIndex);
        state.shownIndex = (at != shown.end() && *at == state.rowIndex)
                               ? static_cast<int>(at - shown.begin())
                               : -1;
    }
    return state;
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

QString TContactsSession::FieldText(int record, int field) const {
    // Row -1 would be the current record.
    return record < 0 ? QString() : quib_->GetData(record, ColumnOfField(field));
}

// --- Moving --------------------------------------------------------------------------

void TContactsSession::RefreshData() {
    quib_->RefreshData();
}

// --- Changing ------------------------------------------------------------------------

QStringList TContactsSession::withFields(const QStringList& fields, QStringList base) const {
    const auto count = std::min<qsizetype>(fields.size(), ContactSchema::ColumnCount);
    for (int i = 0; i < count; ++i) {
        // A field whose column the database lacks is dropped.
        const int column = ColumnOfField(i);
        if (column >= 0 && column < base.size()) {
            base[column] = fields[i];
        }
    }
    return base;
}

TRowEdit TContactsSession::storeRows(const TRowsIn& rows) {
    TRowEditor editor(*quib_);
    if (rows.cells) {
        if (!quib_->IsUnicode() || rows.kind != TRowEdit::Kind::Insert ||
            rows.row != quib_->RowsCount()) {
            throw std::logic_error("UTF-8 rows are only appended to a Unicode database.");
        }
        return editor.Append(rows.count, withIdentities(rows.cells), rows.afterRow);
    }
    ensureStorable(rows);
    if (rows.kind == TRowEdit::Kind::Replace) {
        return editor.Replace(rows.row, rows.texts(0));
    }
    return editor.Insert(rows.row, rows.count, withIdentities(rows.texts), rows.afterRow);
}

bool TContactsSession::StoreField(int record, int field, const QString& text) {
    const int column =
        field >= 0 && field < ContactSchema::ColumnCount ? ColumnOfField(field) : kMissingColumn;
    if (column < 0 || record < 0 || record >= quib_->RowsCount()) {
        return false;
    }
    if (quib_->GetData(record, column) == text) {
        return true;
    }
    const TChangeScope scope(changing_, movedWhileChanging_);
    QStringList texts = TRowEditor(*quib_).ReadRow(record);
    texts[column] = text;
    TChangeStep step;
    step.name = {TStepKind::EditField, field, 0};
    step.undoCursor = step.redoCursor = record;
    step.edits.push_back(
        storeRows({TRowEdit::Kind::Replace, record, 1, [&](int) { return texts; }}));
    commit(std::move(step), TRecordChange::Cells(record));
    return true;
}

bool TContactsSession::StoreRecord(const QStringList& fields) {
    const int record = quib_->RowIndex();
    if (record < 0 || record >= quib_->RowsCount()) {
        return false;
    }
    const TChangeScope scope(changing_, movedWhileChanging_);
    const QStringList before = TRowEditor(*quib_).ReadRow(record);
    const QStringList after = withFields(fields, before);
    if (after == before) {
        // Save writes the file whatever changed; the views show the record.
        writeFile();
        announce({TRecordChange::Cells(record)});
        return true;
    }
    TChangeStep step;
    step.name = {TStepKind::SaveRecord, -1, 0};
    step.undoCursor = step.redoCursor = record;
    step.edits.push_back(
        storeRows({TRowEdit::Kind::Replace, record, 1, [&](int) { return after; }}));
    commit(std::move(step), TRecordChange::Cells(record));
    return true;
}

int TContactsSession::AppendRecord() {
    const TChangeScope scope(changing_, movedWhileChanging_);
    const int record = quib_->RowsCount();
    TChangeStep step;
    step.name = {TStepKind::NewRecord, -1, 0};
    step.undoCursor = quib_->RowIndex();
    step.redoCursor = record;
    step.edits.push_back(
        storeRows({TRowEdit::Kind::Insert, record, 1, [](int) { return QStringList(); }}));
    commit(std::move(step), TRecordChange::Inserted(record, 1));
    return record;
}

bool TContactsSession::DeleteRecord(int record) {
    if (record < 0 || record >= quib_->RowsCount()) {
        return false;
    }
    const TChangeScope scope(changing_, movedWhileChanging_);
    TChangeStep step;
    step.name = {TStepKind::DeleteRecord, -1, 0};
    // Undone, the record comes back and is shown.
    step.undoCursor = record;
    step.edits.push_back(TRowEditor(*quib_).Remove(record, 1));
    commit(std::move(step), TRecordChange::Removed(record, 1));
    return true;
}

void TContactsSession::Sort(const QVector<TSortKey>& keys, TSortCursor cursor) {
    const TChangeScope scope(changing_, movedWhileChanging_);
    const QVector<int> order = TRowEditor(*quib_).Sort(keys);
    QVector<int> newPositions(order.size());
    bool moved = false;
    for (int p = 0; p < order.size(); ++p) {
        newPositions[order[p]] = p;
        moved = moved || order[p] != p;
    }
    if (!moved) {
        return;  // the records were in that order: nothing to undo or save
    }
    TChangeStep step;
    step.name = {TStepKind::Sort, -1, 0};
    // The engine's sort leaves the cursor its number.
    const int current = quib_->RowIndex();
    step.undoCursor = step.redoCursor = current;
    if (cursor == TSortCursor::FollowRecord && current >= 0 && current < newPositions.size()) {
        step.redoCursor = newPositions[current];
        quib_->MoveTo(step.redoCursor);
    }
    step.order = order;
    commit(std::move(step), TRecordChange::Reordered(std::move(newPositions)));
}

void TContactsSession::Save() {
    writeFile();
}

void TContactsSession::keepCursorOnARecord() {
    if (quib_->RowsCount() > 0 && quib_->RowIndex() > quib_->RowsCount() - 1) {
        quib_->MoveLast();
    }
}

void TContactsSession::commit(TChangeStep step, const TRecordChange& change) {
    keepCursorOnARecord();
    if (step.redoCursor < 0) {
        step.redoCursor = quib_->RowIndex();
    }
    undo_.Push(std::move(step));
    writeFile();
    announce({change});
}

void TContactsSession::announce(const QVector<TRecordChange>& changes) {
    followInFilter(changes);
    // The slots may change the database again: the scope of this change ends.
    changing_ = false;
    for (const TRecordChange& change : changes) {
        emit recordsChanged(change);
    }
    if (movedWhileChanging_) {
        movedWhileChanging_ = false;
        emit afterMove();
    }
    emit undoStackChanged();
}

// --- Undo and redo ---------------------------------------------------------------------

std::optional<TStepName> TContactsSession::UndoStepName() const {
    const TChangeStep* step = undo_.NextUndo();
    return step ? std::optional(step->name) : std::nullopt;
}

std::optional<TStepName> TContactsSession::RedoStepName() const {
    const TChangeStep* step = undo_.NextRedo();
    return step ? std::optional(step->name) : std::nullopt;
}

void TContactsSession::toggle(TRowEdit& edit) {
    const int columns = quib_->ColsCount();
    switch (edit.kind) {
        case TRowEdit::Kind::Replace: {
            const QStringList held = edit.held.Row(0, columns);
            edit.held =
                storeRows({TRowEdit::Kind::Replace, edit.row, 1, [&](int) { return held; }}).held;
            break;
        }
        case TRowEdit::Kind::Insert:
            edit = TRowEditor(*quib_).Remove(edit.row, edit.count);
            break;
        case TRowEdit::Kind::Remove: {
            storeRows({TRowEdit::Kind::Insert, edit.row, edit.count,
                       [&edit, columns](int i) { return edit.held.Row(i, columns); }});
            edit.held.Clear();
            edit.kind = TRowEdit::Kind::Insert;
            break;
        }
    }
}

namespace {

TRecordChange changeOf(const TRowEdit& edit) {
    switch (edit.kind) {
        case TRowEdit::Kind::Replace:
            return TRecordChange::Cells(edit.row);
        case TRowEdit::Kind::Insert:
            return TRecordChange::Inserted(edit.row, edit.count);
        case TRowEdit::Kind::Remove:
            return TRecordChange::Removed(edit.row, edit.count);
    }
    return TRecordChange::Cells(edit.row);
}

}  // namespace

QVector<TRecordChange> TContactsSession::revert(TChangeStep& step, bool undo) {
    QVector<TRecordChange> changes;
    if (!step.order.isEmpty()) {
        // order[p] is where the row now at p stood before the sort.
        QVector<int> target(step.order.size());
        for (int p = 0; p < step.order.size(); ++p) {
            if (undo) {
                target[p] = step.order[p];
            } else {
                target[step.order[p]] = p;
            }
        }
        TRowEditor(*quib_).MoveRows(target);
        changes << TRecordChange::Reordered(target);
    }
    const auto count = static_cast<qsizetype>(step.edits.size());
    for (qsizetype k = 0; k < count; ++k) {
        TRowEdit& edit = step.edits[undo ? count - 1 - k : k];
        toggle(edit);
        changes << changeOf(edit);
    }
    return changes;
}

bool TContactsSession::Undo() {
    if (!undo_.CanUndo()) {
        return false;
    }
    const TChangeScope scope(changing_, movedWhileChanging_);
    TChangeStep step = undo_.TakeUndo();
    QVector<TRecordChange> changes;
    try {
        changes = revert(step, true);
    } catch (...) {
        // The rows no longer match the steps: they cannot be relied on.
        clearUndo();
        throw;
    }
    if (step.undoCursor >= 0 && quib_->RowsCount() > 0) {
        quib_->MoveTo(std::min(step.undoCursor, quib_->RowsCount() - 1));
    }
    keepCursorOnARecord();
    undo_.PushUndone(std::move(step));
    writeFile();
    announce(changes);
    return true;
}

bool TContactsSession::Redo() {
    if (!undo_.CanRedo()) {
        return false;
    }
    const TChangeScope scope(changing_, movedWhileChanging_);
    TChangeStep step = undo_.TakeRedo();
    QVector<TRecordChange> changes;
    try {
        changes = revert(step, false);
    } catch (...) {
        clearUndo();
        throw;
    }
    if (step.redoCursor >= 0 && quib_->RowsCount() > 0) {
        quib_->MoveTo(std::min(step.redoCursor, quib_->RowsCount() - 1));
    }
    keepCursorOnARecord();
    undo_.PushRedone(std::move(step));
    writeFile();
    announce(changes);
    return true;
}

void TContactsSession::clearUndo() {
    if (undo_.CanUndo() || undo_.CanRedo()) {
        undo_.Clear();
        emit undoStackChanged();
    }
}

// --- Saving --------------------------------------------------------------------------

void TContactsSession::writeFile() {
    writer_->Request(quib_->TakeSnapshot(), quib_->DatabaseName());
}

void TContactsSession::writeFileNow() {
    // The user chose this file to be written (a new database, Save As), so
    // what was there is not compared; but one another program holds is not
    // written.
    std::optional<quib::DatabaseLock> lock = lockForWriting(DatabaseName());
    quib_->Save();
    keepLock(std::move(lock), DatabaseName());
    knowFile();
}

void TContactsSession::FinishSaves() {
    writer_->WaitUntilIdle();
}

// --- Checking a database being opened -------------------------------------------

void TContactsSession::checkCompatibility(int16_t& Cancel) {
    identityColumn_ = kMissingColumn;
    const CompatibilityCheck check = CheckContactsDatabase(
        *quib_, programVersion_, columns_.lstDBColsName, columns_.lstDBColsTitleFull);
    if (!check.accepted) {
        Cancel = 1;
        emit openRefused(check.error);
        return;
    }
    columns_.lstDBColsIndexFromProgram = check.indexFromProgram;
    columns_.lstDBColsIndexFromDB = check.indexFromDB;
    findIdentityColumn();
    if (!check.warning.isEmpty()) {
        emit openWarning(check.warning);
    }
}

// --- File commands ---------------------------------------------------------------

void TContactsSession::setNoDatabase() {
    setFilterOff();
    quib_->SetDatabaseName(QString());
    releaseLock();
    writer_->SetKnownFile(QString(), std::nullopt);
    quib_->MoveFirst();
    quib_->RefreshData();
}

bool TContactsSession::Reload() {
    // The file being replaced may still be written in the background.
    FinishSaves();
    // What was done before concerns rows that are read again.
    clearUndo();
    setFilterOff();
    bool ok = false;
    // The clean-up runs in every case, also when Open raises; the error then
    // travels on to the caller.
    auto cleanUp = [&] {
        if (!ok) {
            quib_->SetDatabaseName(QString());
            releaseLock();
            writer_->SetKnownFile(QString(), std::nullopt);
        }
        quib_->MoveFirst();
        quib_->RefreshData();
    };
    try {
        const QString path = DatabaseName();
        if (lockForOpening(path)) {
            // Looked at before the file is read: a change made while it is
            // read is then seen at the next save, never taken for ours.
            const std::optional<TFileStamp> stamp = TFileStamp::Of(path.toStdString());
            ok = quib_->Open();
            if (ok) {
                writer_->SetKnownFile(path, stamp);
            }
        }
    } catch (...) {
        cleanUp();
        throw;
    }
    cleanUp();
    return ok;
}

bool TContactsSession::OpenFile(const QString& path) {
    FinishSaves();
    quib_->SetDatabaseName(path);
    return Reload();
}

void TContactsSession::Create(const QString& path, quib::TextEncoding encoding) {
    FinishSaves();
    clearUndo();
    setFilterOff();
    quib_->SetDatabaseName(path);
    try {
        // The engine writes the file as it creates the table: one another
        // program holds is refused first.
        keepLock(lockForWriting(path), path);
        writeNewDatabase(encoding);
    } catch (...) {
        // A database that could not be written is not open: the session goes
        // to the no-database state, as after a failed open.
        setNoDatabase();
        throw;
    }
    quib_->MoveFirst();
    quib_->RefreshData();
}

void TContactsSession::writeNewDatabase(quib::TextEncoding encoding) {
    quib_->SetEncoding(encoding);
    quib_->Create();
    WriteContactsHeaders(*quib_, MinDatabaseVersionFor(encoding), programVersion_,
                         columns_.lstDBColsName);
    // A new database holds every column in program order.
    columns_.lstDBColsIndexFromDB = TColumnMap::Identity(ContactSchema::ColumnCount);
    columns_.lstDBColsIndexFromProgram = columns_.lstDBColsIndexFromDB;
    identityColumn_ = kMissingColumn;
    // One empty record, made as every record is made (no undo step: the
    // stack starts with the new database).
    storeRows({TRowEdit::Kind::Insert, 0, 1, [](int) { return QStringList(); }});
    writeFileNow();
}

void TContactsSession::SaveAs(const QString& path,
                              const std::optional<QStringList>& currentRecord) {
    // Save As writes at once, so that a failure keeps the old name.
    FinishSaves();
    const TChangeScope scope(changing_, movedWhileChanging_);
    const int record = quib_->RowIndex();
    std::optional<TChangeStep> stored;
    if (currentRecord && record >= 0 && record < quib_->RowsCount()) {
        const QStringList before = TRowEditor(*quib_).ReadRow(record);
        const QStringList after = withFields(*currentRecord, before);
        if (after != before) {
            TChangeStep step;
            step.name = {TStepKind::SaveRecord, -1, 0};
            step.undoCursor = step.redoCursor = record;
            step.edits.push_back(
                storeRows({TRowEdit::Kind::Replace, record, 1, [&](int) { return after; }}));
            stored = std::move(step);
        }
    }
    const QString previous = quib_->DatabaseName();
    quib_->SetDatabaseName(path);
    try {
        writeFileNow();
    } catch (...) {
        // Nothing was written under the new name: go on editing the old
        // file, with the card's edits still unsaved on the card.
        quib_->SetDatabaseName(previous);
        if (stored) {
            toggle(stored->edits.front());
        }
        throw;
    }
    if (stored) {
        undo_.Push(std::move(*stored));
        announce({TRecordChange::Cells(record)});
    }
    quib_->RefreshData();
}
