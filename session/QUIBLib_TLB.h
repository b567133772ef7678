#pragma once

#include "session/u_QuibReader.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// An engine error as the program sees it: the message is the engine's text.
class EQuibError : public std::runtime_error {
  public:
    EQuibError(uint32_t code, const std::string& message)
        : std::runtime_error(message), code_(code) {}
    uint32_t code() const noexcept { return code_; }

  private:
    uint32_t code_;
};

// The host-side binding of the table-database engine. It creates its engine
// through the engine's factory by class identifier, converts texts between
// QString and the engine's UTF-8, offers every engine event as a handler
// property (On + the event's name; OnRefreshData and OnSaveRow keep theirs),
// and turns engine errors into EQuibError. The reading members are those of
// TQuibReader; this header, with the members that change a database, is for
// session/ alone (the layer check refuses it elsewhere; tests may use it).
//
// Handlers are plain function objects; an empty one means the event is not
// subscribed. A Before handler receives Cancel by reference.
class TQuib : public QObject, public TQuibReader {
    Q_OBJECT

  public:
    using Notify = std::function<void()>;
    using CancelNotify = std::function<void(int16_t& Cancel)>;

    explicit TQuib(QObject* parent = nullptr);
    ~TQuib() override;
    TQuib(const TQuib&) = delete;
    TQuib& operator=(const TQuib&) = delete;

    // Properties that change (the others are TQuibReader's)
    void SetDatabaseName(const QString& name);
    void SetFilterActive(bool active);
    // Converts every text in memory (the file changes with the next Save);
    // false, and nothing changed, when a text has no Windows-1250 form.
    bool SetEncoding(quib::TextEncoding encoding);

    // Methods that change the database, or fire events
    bool SetData(int Row, int Col, const QString& Data);
    bool Open();
    bool Close();
    bool Create();
    bool Save();
    bool NewCol(int Col);
    bool DeleteCol(int Col);
    bool NewRow(int Row);
    // Appends a row after the last one holding texts (one per column from
    // the first; the others empty), built once: NewRow and a SetData per
    // cell in one change, with the row events and no cell events.
    bool AppendRow(const std::vector<std::string>& texts);
    bool DeleteRow(int Row);
    // Deletes the last Count rows (all of them when there are fewer): an
    // import undoing what it appended.
    void DeleteLastRows(int Count);
    bool NewHeader(int HeaderIndex);
    bool DeleteHeader(int HeaderIndex);
    bool NewHeaderText(int HeaderIndex, int TextIndex);
    bool DeleteHeaderText(int HeaderIndex, int TextIndex);
    bool SetHeaderName(int HeaderIndex, const QString& Data);
    bool SetHeaderText(int HeaderIndex, int TextIndex, const QString& Data);
    bool MoveFirst();
    bool MovePrevious();
    bool MoveNext();
    bool MoveLast();
    bool MoveTo(int RowIndex);
    void RefreshData();
    bool SaveRow();
    bool NewFilter(int FilterIndex);
    bool DeleteFilter(int FilterIndex);
    bool SetFilterData(int FilterIndex, const QString& FieldName, const QString& Data);
    bool NewSort(int SortIndex);
    bool DeleteSort(int SortIndex);
    bool SetSortData(int SortIndex, const QString& FieldName, const QString& Data);
    bool Sort();
    void AboutBox() const;

    // Event handler properties
    Notify OnRefreshData;
    Notify OnAfterOpen;
    Notify OnAfterSave;
    Notify OnAfterClose;
    Notify OnAfterMove;
    Notify OnAfterNewRow;
    Notify OnAfterDeleteRow;
    Notify OnAfterNewCol;
    Notify OnAfterDeleteCol;
    Notify OnAfterNewHeader;
    Notify OnAfterDeleteHeader;
    Notify OnAfterNewHeaderText;
    Notify OnAfterDeleteHeaderText;
    Notify OnAfterSetData;
    Notify OnAfterSetHeaderText;
    Notify OnAfterSetHeaderName;
    Notify OnAfterCreate;
    Notify OnSaveRow;
    CancelNotify OnBeforeOpen;
    CancelNotify OnBeforeClose;
    CancelNotify OnBeforeCreate;
    CancelNotify OnBeforeDeleteCol;
    CancelNotify OnBeforeDeleteHeader;
    CancelNotify OnBeforeDeleteHeaderText;
    CancelNotify OnBeforeDeleteRow;
    CancelNotify OnBeforeMove;
    CancelNotify OnBeforeNewCol;
    CancelNotify OnBeforeNewHeader;
    CancelNotify OnBeforeNewHeaderText;
    CancelNotify OnBeforeNewRow;
    CancelNotify OnBeforeSave;
    CancelNotify OnBeforeSetData;
    CancelNotify OnBeforeSetHeaderName;
    CancelNotify OnBeforeSetHeaderText;
    CancelNotify OnCheckCompatibility;
    Notify OnAfterDeleteFilter;
    Notify OnAfterNewFilter;
    Notify OnAfterSetFilterData;
    CancelNotify OnBeforeDeleteFilter;
    CancelNotify OnBeforeNewFilter;
    CancelNotify OnBeforeSetFilterData;
    CancelNotify OnBeforeSetSortData;
    Notify OnAfterSetSortData;

  private:
    class Listener;
    std::unique_ptr<Listener> listener_;
};
