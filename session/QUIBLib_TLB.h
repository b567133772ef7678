#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

namespace quib {
class CQuibCtrl;
class QuibSnapshot;
}  // namespace quib

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
// and turns engine errors into EQuibError.
//
// Handlers are plain function objects; an empty one means the event is not
// subscribed. A Before handler receives Cancel by reference.
class TQuib : public QObject {
    Q_OBJECT

  public:
    using Notify = std::function<void()>;
    using CancelNotify = std::function<void(int16_t& Cancel)>;

    explicit TQuib(QObject* parent = nullptr);
    ~TQuib() override;
    TQuib(const TQuib&) = delete;
    TQuib& operator=(const TQuib&) = delete;

    // Properties
    QString DatabaseName() const;
    void SetDatabaseName(const QString& name);
    int ColsCount() const;
    int RowsCount() const;
    int HeadersCount() const;
    int RowIndex() const;
    int FiltersCount() const;
    bool FilterActive() const;
    void SetFilterActive(bool active);
    int RowsCountFilter() const;
    int RowsCountTotal() const;
    int SortsCount() const;
    int HeaderTextsCount(int HeaderIndex) const;

    // Methods
    QString GetData(int Row, int Col) const;
    bool SetData(int Row, int Col, const QString& Data);
    bool Open();
    bool Close();
    bool Create();
    bool Save();
    // A picture of the table as it stands, cheap to take, to be written with
    // QuibSnapshot::SaveTo on another thread (quib/QuibSnapshot.h).
    quib::QuibSnapshot TakeSnapshot() const;
    bool NewCol(int Col);
    bool DeleteCol(int Col);
    bool NewRow(int Row);
    bool DeleteRow(int Row);
    // Deletes the last Count rows (all of them when there are fewer): an
    // import undoing what it appended.
    void DeleteLastRows(int Count);
    bool NewHeader(int HeaderIndex);
    bool DeleteHeader(int HeaderIndex);
    bool NewHeaderText(int HeaderIndex, int TextIndex);
    bool DeleteHeaderText(int HeaderIndex, int TextIndex);
    QString GetHeaderText(int HeaderIndex, int TextIndex) const;
    QString GetHeaderName(int HeaderIndex) const;
    bool SetHeaderName(int HeaderIndex, const QString& Data);
    bool SetHeaderText(int HeaderIndex, int TextIndex, const QString& Data);
    int GetHeaderIndexFromName(const QString& HeaderName) const;
    int CompareVersion(const QString& First, const QString& Second) const;
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
    QString GetFilterData(int FilterIndex, const QString& FieldName) const;
    bool NewSort(int SortIndex);
    bool DeleteSort(int SortIndex);
    bool SetSortData(int SortIndex, const QString& FieldName, const QString& Data);
    QString GetSortData(int SortIndex, const QString& FieldName) const;
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
    std::unique_ptr<quib::CQuibCtrl> ctrl_;
    std::unique_ptr<Listener> listener_;
};
