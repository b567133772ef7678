#pragma once

#include "session/u_ChangeStep.h"
#include "session/u_ColumnMap.h"
#include "session/u_PackedRows.h"
#include "session/u_QuibReader.h"
#include "session/u_RecordChange.h"
#include "session/u_RecordIdentity.h"
#include "session/u_RowEditor.h"
#include "session/u_StorableText.h"
#include "session/u_UndoStack.h"

#include <quib/DatabaseLock.h>

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class TBackgroundWriter;
class TRecordFilter;
class TQuib;

// The column catalogue: the program's columns with their names and titles and
// the two column maps of the open database.
struct TColumnCatalogue {
    QStringList lstDBColsName;             // column names in program order
    QStringList lstDBColsTitle;            // short titles (card labels)
    QStringList lstDBColsTitleFull;        // full titles (headings, messages, pickers)
    TColumnMap lstDBColsIndexFromProgram;  // field i -> database column
    TColumnMap lstDBColsIndexFromDB;       // database column k -> field
};

// What the command states are computed from.
struct TSessionState {
    bool open = false;  // a database is open (DatabaseName not empty)
    int rows = 0;       // RowsCount
    int rowIndex = -1;  // RowIndex
    // The records the card moves among (ShownRecords) and the current
    // record's place in them: rows and rowIndex unless a filter is set;
    // shownIndex is -1 when the filter shows none.
    int shownRows = 0;
    int shownIndex = -1;
};

// The open contacts database, outside every window, and the only door to it.
//
// Readers get the engine control Quib1 for reading. Every change goes
// through an operation of the session in the program's words: it stores the
// change, keeps it as one step of the undo stack, has the background writer
// save the file, and announces it by recordsChanged. The views follow the
// signals, which are emitted synchronously from inside the operation. The
// session shows no window: problems are announced by openRefused,
// openWarning and saveFailed, and errors of the engine travel on to the
// caller. Nobody needs to wait for the writer: the session does before it
// replaces, reloads or renames the file.
//
// Records are the engine's physical rows; the session never activates a
// filter on its engine.
//
// Two programs never write one file unseen. While a database is open the
// session holds its lock (quib::DatabaseLock), so a database another
// program (or another session) holds is refused at open, and Create and
// SaveAs refuse such a target. A program that changes the file without the
// lock is caught before the next write: the writer finds another file on
// disk than the one read, writes nothing and the session announces
// changedOnDisk; whoever asks the user answers through AnswerChangedOnDisk.
// Unanswered, the save counts as failed (saveFailed) and the change stays
// in memory, so that the end of a command-line run reports it.
//
// Where the changes pass, for whoever adds to them:
// - every text that enters the database, from an operation or from undo and
//   redo, is stored by storeRows() (through TRowEditor, whose writeRow is the
//   one place a cell is written); at its top, before anything is stored, a
//   Central European database is checked to hold every character (see
//   SetUnicodeQuestion);
// - every write of the file goes through writeFile() (in the background) or
//   writeFileNow() (Save As): a check that the file on disk is still the one
//   the session read belongs there;
// - new records are made only by TRowEditor::insertRows, where a hidden
//   column holding an identity of each record would be filled.
class TContactsSession : public QObject {
    Q_OBJECT

  public:
    explicit TContactsSession(const QString& programVersion, QObject* parent = nullptr);
    ~TContactsSession() override;
    TContactsSession(const TContactsSession&) = delete;
    TContactsSession& operator=(const TContactsSession&) = delete;

    // --- Reading ---------------------------------------------------------------

    // The engine control of the open database, for reading: it offers no
    // member that changes the database (those are the session's).
    const TQuibReader& Quib1() const;
    const QString& ProgramVersion() const { return programVersion_; }
    QString DatabaseName() const;
    bool IsOpen() const;
    TSessionState State() const;

    // The column catalogue; titles follow the language (RetranslateTitles).
    const TColumnCatalogue& Columns() const { return columns_; }
    void RetranslateTitles();
    // The database column of program field i (kMissingColumn when the
    // database lacks it).
    int ColumnOfField(int field) const;
    // Field i of the current record, and of any record.
    QString FieldText(int field) const;
    QString FieldText(int record, int field) const;
    // The records the card and the table show, ascending: every record, or
    // those the filter lets through while one is set.
    QVector<int> ShownRecords() const;

    // --- Filtering ---------------------------------------------------------------
    // The find-as-you-type filter (TRecordFilter): while a text is set, the
    // moves go only among the records it shows, the command states count
    // them (State) and the table shows only them. The cursor is on a shown
    // record whenever there is one: setting a text moves it to the first
    // when its record is not shown, and so does a change that took its
    // record away. Opening, reloading or creating a database sets the filter
    // off. Each new text is announced by filterChanged.
    void SetFilterText(const QString& text);
    QString FilterText() const;
    bool IsFiltered() const;
    // Folds the records for the filter now, ahead of the first keystroke.
    void PrepareFilter();

    // Unsaved edits of the current record shown on the card.
    bool RecordChanged() const { return recordChanged_; }
    void SetRecordChanged(bool changed);

    // --- Moving ----------------------------------------------------------------
    // Each moves the cursor (afterMove when it moved), then the views show
    // the current record (refreshData). They ask nothing.
    bool MoveFirst();
    bool MovePrevious();
    bool MoveNext();
    bool MoveLast();
    bool MoveTo(int record);
    // The views show what the database holds (refreshData).
    void RefreshData();

    // --- Changing --------------------------------------------------------------
    // Each is one step of the undo stack, saved in the background and
    // announced by recordsChanged (then afterMove when the cursor moved).

    // Field field of record to text (a cell of the table); false when the
    // database lacks the field's column or there is no such record. Storing
    // the text the field holds already changes nothing.
    bool StoreField(int record, int field, const QString& text);
    // The 32 fields of the current record (the card's Save); fields whose
    // column the database lacks are dropped. Saves the file also when
    // nothing changed. False when there is no current record.
    bool StoreRecord(const QStringList& fields);
    // Appends an empty record at the end; returns its number.
    int AppendRecord();
    // Deletes record; the cursor stays on a record (the last one when it was
    // beyond them). False when there is no such record.
    bool DeleteRecord(int record);
    // Records of the database an import changes: each record's number and
    // its 32 fields as they become.
    using TRecordUpdates = QList<std::pair<int, QStringList>>;
    // Appends the records of batch (program fields, see TRecordBatch) at the
    // end and gives the records of updated their new fields, as one step;
    // returns how many were appended. A record of batch may bring its
    // identity as text ContactSchema::ColumnCount (a card's UID): the
    // database gets the identity column first, and the record keeps the
    // identity unless a record before it has it. step is called after each
    // appended record with the records appended so far; what it throws (a
    // cancel) takes every change out again and travels on, as does any
    // error.
    using TImportStep = std::function<void(qint64 done, qint64 total)>;
    int ImportRecords(const TRecordBatch& batch, const TImportStep& step = {},
                      const TRecordUpdates& updated = {});
    // Merges the records of one person into kept as one step: kept gets
    // fields (its 32 fields, as ContactMerge makes them), the others are
    // deleted, and the cursor goes to kept. False, changing nothing, when a
    // record does not exist, others is empty or names kept.
    bool MergeRecords(int kept, const QStringList& fields, const QList<int>& others);
    // Replaces the sort definitions by keys (database columns) and sorts the
    // records. The cursor keeps its number (as the sort builder's sort
    // leaves it), or follows its record (a click on a table heading, where
    // the user sorts around the contact selected).
    enum class TSortCursor { KeepNumber, FollowRecord };
    void Sort(const QVector<TSortKey>& keys, TSortCursor cursor = TSortCursor::KeepNumber);
    // Writes the file again (in the background) as it stands.
    void Save();

    // --- Identities --------------------------------------------------------------
    // See kIdentityColumn. Once the database has the column, every record
    // made gets an identity of its own.

    // The database column of the identities, kMissingColumn when none.
    int IdentityColumn() const { return identityColumn_; }
    QString IdentityOf(int record) const;
    // Gives the database the column when it lacks one, and a new identity to
    // every record that has none or shares one with a record before it.
    // Saved when anything changed, but no undo step: the user's texts stay.
    // Raises EQuibError when the column cannot be added.
    bool EnsureIdentities();
    // Applies changes as one step (EnsureIdentities first): every one of
    // them, or, raising, none. Identities the database lacks are skipped.
    void ApplyIdentified(const TIdentifiedChanges& changes);

    // --- Text encoding -----------------------------------------------------------
    // A Central European (Windows-1250) database holds only the letters of
    // its code page; a Unicode one every letter. Before a change stores a
    // text holding a letter the open database cannot hold, the session asks
    // question (once for the change): true converts the database to
    // Unicode (ConvertToUnicode) and stores the change; false, or no
    // question set, stores nothing and raises ETextNotStored.
    using TUnicodeQuestion = std::function<bool(const TUnstorableText& text)>;
    void SetUnicodeQuestion(TUnicodeQuestion question) { unicodeQuestion_ = std::move(question); }
    // Converts the open Central European database to Unicode in place and
    // writes it at once: the file is first copied to its ".bak", and
    // ProgramMinVersion becomes the first version that reads Unicode files.
    // Texts, records and the undo steps stay. Nothing when the database is
    // Unicode already or none is open; a failure leaves the database as it
    // was and travels on.
    void ConvertToUnicode();

    // --- Undo and redo ---------------------------------------------------------
    // The step Undo and Redo would take back or do again, none when there is
    // nothing. Each undo and redo is saved and announced like a change; the
    // stack is emptied when another database is opened (or this one read
    // again or created).
    std::optional<TStepName> UndoStepName() const;
    std::optional<TStepName> RedoStepName() const;
    bool Undo();
    bool Redo();
    TUndoStack& UndoStack() { return undo_; }

    // --- Files -------------------------------------------------------------------

    // Opens DatabaseName. On failure (refused or raised) the session has no
    // database; in every case the cursor goes to the first record and the
    // views are refreshed. An engine error travels on after that.
    bool Reload();
    // Opens the database at path (as Reload).
    bool OpenFile(const QString& path);
    // Writes a new contacts database at path holding one empty record and
    // every column in program order, its texts kept as encoding tells (new
    // databases are Unicode); on failure there is no database.
    void Create(const QString& path, quib::TextEncoding encoding = quib::TextEncoding::Utf8);
    // Saves the open database under path and goes on with it there; on
    // failure DatabaseName stays the old one and the error travels on.
    // currentRecord, when given, holds the card's unsaved fields: they are
    // stored into the current record first (one undo step), but only the
    // new file is written with them.
    void SaveAs(const QString& path, const std::optional<QStringList>& currentRecord = {});
    // Waits for the background saves asked for so far; a failed one has
    // been announced when it returns. For whoever reads the database file
    // itself (a conversion, the end of the program, tests).
    void FinishSaves();
    TBackgroundWriter& Writer() const { return *writer_; }
    // Why the newest change is not on disk, after FinishSaves: the failed
    // save's message; empty when every change is saved.
    QString UnsavedReason() const;

    // What to do with a database another program changed (changedOnDisk).
    enum class TDiskChangeAnswer {
        Reload,    // read the other program's file; the unsaved change is lost
        SaveOver,  // write this program's state over it
        SaveAs,    // write it under saveAsPath and go on there
    };
    // Answers changedOnDisk, from inside its slot. SaveAs raises as SaveAs
    // does, Reload as Reload does.
    void AnswerChangedOnDisk(TDiskChangeAnswer answer, const QString& saveAsPath = {});

    // The engine's OnSaveRow (no path of the program raises it): the view
    // in front stores its edits through the session.
    void SetRecordWriter(std::function<void()> writer) { recordWriter_ = std::move(writer); }

  signals:
    // The engine's OnRefreshData: the views show the current record. The
    // record-changed state is cleared after the signal's slots ran.
    void refreshData();
    // The engine's AfterMove.
    void afterMove();
    // Records changed (see TRecordChange); the cursor is where the change
    // left it.
    void recordsChanged(const TRecordChange& change);
    // What Undo and Redo would do changed.
    void undoStackChanged();
    // A database being opened was refused: not a database of this product,
    // or it needs a newer program (the message tells which).
    void openRefused(const QString& message);
    // A database being opened lacks columns of the program or has columns
    // it does not know; it is open.
    void openWarning(const QString& message);
    // A background save failed (the engine's message); the changes are kept
    // and the next save writes them.
    void saveFailed(const QString& path, const QString& message);
    // Another program changed the file at path since this one read or wrote
    // it, and a save was held back. A slot may answer (AnswerChangedOnDisk);
    // when none does, saveFailed follows with ChangedOnDiskText.
    void changedOnDisk(const QString& path);
    // The card's unsaved edits appeared or went (RecordChanged).
    void recordChangedChanged(bool changed);
    // The filter's text was set or the filter went off (SetFilterText).
    void filterChanged();

  private:
    // Rows about to enter the database: row i of count gets texts(i), one
    // text per database column, replacing row (Replace, count 1) or
    // inserted before row (Insert, afterRow told after each row). Rows
    // appended to a Unicode database may come as UTF-8 cells instead
    // (Insert at the row count, cells set, texts unset): nothing they hold
    // needs converting or checking.
    struct TRowsIn {
        TRowEdit::Kind kind = TRowEdit::Kind::Replace;
        int row = 0;
        int count = 1;
        TRowEditor::TRowTexts texts;
        TRowEditor::TRowsMade afterRow = {};
        TRowEditor::TRowCells cells = {};
    };

    void subscribe();
    void checkCompatibility(int16_t& Cancel);
    void writeNewDatabase(quib::TextEncoding encoding);
    // Raises ETextNotStored, or converts the database, when rows hold a
    // letter it cannot hold (see SetUnicodeQuestion).
    void ensureStorable(const TRowsIn& rows);
    void setMinimumVersion(const QString& version);
    void setNoDatabase();
    void clearUndo();

    // The texts of a row whose fields are set from fields over base.
    QStringList withFields(const QStringList& fields, QStringList base) const;
    // The one way texts enter the database (see the class comment); the
    // edit holds what the rows held before.
    TRowEdit storeRows(const TRowsIn& rows);
    // Turns edit into its opposite, through storeRows where rows come back.
    void toggle(TRowEdit& edit);
    // Keeps step, saves and announces change.
    void commit(TChangeStep step, const TRecordChange& change);
    // After a change: the cursor on a record, the signals in their order.
    void keepCursorOnARecord();
    void announce(const QVector<TRecordChange>& changes);
    // The filter follows changes; the cursor goes to a shown record when
    // the change took its own away.
    void followInFilter(const QVector<TRecordChange>& changes);
    enum class TShownMove { First, Previous, Next, Last };
    bool moveAmongShown(TShownMove move);
    // A move of the card: among the records shown while the filter is on,
    // else the engine's own move; the card shows where it lands.
    bool moveCursor(TShownMove shown, bool (TQuib::*move)());
    TRecordFilter& filter();
    void setFilterOff();
    // Undoes (undo) or redoes step and says what it did to the records.
    QVector<TRecordChange> revert(TChangeStep& step, bool undo);
    void writeFile();
    void writeFileNow();
    void heldBackWrite(const QString& path);
    // Whether the session holds the lock of the database at path already.
    bool holdsLockOf(const QString& path) const;
    // Takes the lock of a database about to be opened; false (refused, with
    // openRefused) when another program holds it.
    bool lockForOpening(const QString& path);
    // The lock of path for a file about to be written under that name (none
    // when the session holds it already); raises EQuibError when another
    // program holds it.
    std::optional<quib::DatabaseLock> lockForWriting(const QString& path) const;
    void keepLock(std::optional<quib::DatabaseLock> lock, const QString& path);
    void releaseLock();
    // The file as it is now, remembered as the one the session has.
    void knowFile();
    void findIdentityColumn();
    void addIdentityColumn();
    // rowTexts with a new identity in each row that has none.
    TRowEditor::TRowTexts withIdentities(TRowEditor::TRowTexts rowTexts) const;
    TRowEditor::TRowCells withIdentities(TRowEditor::TRowCells rowCells) const;
    // The identity each record of batch brings that no record before it has
    // (empty for the others), after giving the database the identity column
    // when one brings any; empty when none does.
    QStringList broughtIdentities(const TRecordBatch& batch);
    // The records of batch as rows for storeRows, with the identities
    // brought (see broughtIdentities).
    TRowsIn importedRows(const TRecordBatch& batch, const QStringList& identities) const;

    std::unique_ptr<TQuib> quib_;
    QString programVersion_;
    TColumnCatalogue columns_;
    bool recordChanged_ = false;
    std::function<void()> recordWriter_;
    TUnicodeQuestion unicodeQuestion_;
    TUndoStack undo_;
    // While a change runs, AfterMove is announced after recordsChanged.
    bool changing_ = false;
    bool movedWhileChanging_ = false;
    int identityColumn_ = kMissingColumn;
    // The lock of the open database (see the class comment) and its path.
    quib::DatabaseLock lock_;
    QString lockedPath_;
    // While changedOnDisk is being answered; whether it was.
    bool askingAboutDisk_ = false;
    bool diskChangeAnswered_ = false;
    std::unique_ptr<TBackgroundWriter> writer_;
    // Made when a filter is first asked for in the open database.
    std::unique_ptr<TRecordFilter> filter_;
};
