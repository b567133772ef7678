#pragma once

#include <quib/TextEncoding.h>

#include <QString>

#include <memory>
#include <string_view>

namespace quib {
class CQuibCtrl;
class QuibSnapshot;
}  // namespace quib

// The reading members of the engine binding (properties and getters, no
// event): all that the views, queries, printing and exports may do with the
// open database, which the session hands out as a TQuibReader. The members
// that change a database, and the event handlers, are the binding's own
// (QUIBLib_TLB.h), which only session/ includes.
class TQuibReader {
  public:
    TQuibReader(const TQuibReader&) = delete;
    TQuibReader& operator=(const TQuibReader&) = delete;

    QString DatabaseName() const;
    int ColsCount() const;
    int RowsCount() const;
    int HeadersCount() const;
    int RowIndex() const;
    int FiltersCount() const;
    bool FilterActive() const;
    int RowsCountFilter() const;
    int RowsCountTotal() const;
    int SortsCount() const;
    int HeaderTextsCount(int HeaderIndex) const;
    // How the database keeps its texts: Unicode (UTF-8, file version 0.2)
    // or Central European (Windows-1250, version 0.1).
    quib::TextEncoding Encoding() const;
    bool IsUnicode() const { return Encoding() == quib::TextEncoding::Utf8; }
    // Whether the database can store every character of text; when not, the
    // first character it cannot hold goes to firstMissing.
    bool CanStoreText(const QString& text, QString* firstMissing = nullptr) const;

    QString GetData(int Row, int Col) const;
    // The cell's UTF-8 text without a copy: valid until the next DataView or
    // GetDataInto, or the next change of the database. For readers of many
    // cells (queries, find, exports).
    std::string_view DataView(int Row, int Col) const;
    // The same text as GetData into out, reusing its room: once out has
    // grown, reading a cell allocates nothing.
    void GetDataInto(int Row, int Col, QString& out) const;
    QString GetHeaderText(int HeaderIndex, int TextIndex) const;
    QString GetHeaderName(int HeaderIndex) const;
    int GetHeaderIndexFromName(const QString& HeaderName) const;
    int CompareVersion(const QString& First, const QString& Second) const;
    QString GetFilterData(int FilterIndex, const QString& FieldName) const;
    QString GetSortData(int SortIndex, const QString& FieldName) const;
    // A picture of the table as it stands, cheap to take, to be written with
    // QuibSnapshot::SaveTo on another thread (quib/QuibSnapshot.h).
    quib::QuibSnapshot TakeSnapshot() const;

  protected:
    // Creates the engine by its class identifier.
    TQuibReader();
    ~TQuibReader();
    quib::CQuibCtrl& engine() const { return *ctrl_; }

  private:
    std::unique_ptr<quib::CQuibCtrl> ctrl_;
};
