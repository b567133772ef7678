#pragma once

#include "session/u_ColumnMap.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

class QWidget;
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
};

// The open contacts database, outside every window: the engine control Quib1,
// the column catalogue, the record-changed state, the file commands with their
// roll-backs and the check of a database being opened. It tells the windows
// what happens through its signals, which are emitted synchronously from
// inside the engine call that caused them.
class TContactsSession : public QObject {
    Q_OBJECT

  public:
    explicit TContactsSession(const QString& programVersion, QObject* parent = nullptr);
    ~TContactsSession() override;
    TContactsSession(const TContactsSession&) = delete;
    TContactsSession& operator=(const TContactsSession&) = delete;

    // The engine control of the open database.
    TQuib& Quib1() const { return *quib_; }
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
    // Field i of the current record, and writing it (false when refused).
    QString FieldText(int field) const;
    bool SetFieldText(int field, const QString& text);

    // Unsaved edits of the current record shown on the card.
    bool RecordChanged() const { return recordChanged_; }
    void SetRecordChanged(bool changed);

    // Writes the edits of the view in front into the database (OnSaveRow,
    // before the file is saved); returns whether the views are refreshed
    // after the save. It must not save the file itself.
    using TRecordWriter = std::function<bool()>;
    void SetRecordWriter(TRecordWriter writer) { recordWriter_ = std::move(writer); }

    // Owner of the messages of the open check.
    void SetMessageParent(QWidget* parent) { messageParent_ = parent; }

    // Opens DatabaseName. On failure (refused or raised) the session has no
    // database; in every case the cursor goes to the first record and the
    // views are refreshed. An engine error travels on after that.
    bool Reload();
    // Sets DatabaseName to path and reloads.
    bool OpenFile(const QString& path);
    // Writes a new contacts database at path holding one empty record and
    // every column in program order; on failure there is no database.
    void Create(const QString& path);
    // Saves the open database under path; on failure DatabaseName stays the
    // old one and the error travels on.
    void SaveAs(const QString& path);
    // The current record through OnSaveRow: the record writer stores the
    // edits, then the whole file is saved.
    bool SaveRow();
    void RefreshData();

  signals:
    // The engine's OnRefreshData: the views show the current record. The
    // record-changed state is cleared after the signal's slots ran.
    void refreshData();
    // The engine's AfterMove.
    void afterMove();
    void recordChangedChanged(bool changed);
    // The column maps were rebuilt (open, new database).
    void columnMapChanged();

  private:
    void subscribe();
    void checkCompatibility(int16_t& Cancel);
    void saveRow();
    void writeNewDatabase();
    void setNoDatabase();

    std::unique_ptr<TQuib> quib_;
    QString programVersion_;
    TColumnCatalogue columns_;
    bool recordChanged_ = false;
    QWidget* messageParent_ = nullptr;
    TRecordWriter recordWriter_;
};
