#include "quib/QuibCtrl.h"

#include <new>

#include "CodePage.h"
#include "DbFile.h"
#include "Errors.h"
#include "QuibCtrlImpl.h"
#include "Sorter.h"
#include "SurfaceText.h"
#include "Utf8.h"
#include "Version.h"

namespace quib {

CQuibCtrl::CQuibCtrl() : impl_(std::make_unique<Impl>()) {}
CQuibCtrl::~CQuibCtrl() = default;

void CQuibCtrl::SetListener(QuibEvents* listener) {
    impl_->listener = listener;
}

// --- Properties ---------------------------------------------------------

std::string CQuibCtrl::DatabaseName() const {
    return impl_->databaseName;
}

void CQuibCtrl::SetDatabaseName(const std::string& name) {
    impl_->databaseName = name;
}

int32_t CQuibCtrl::ColsCount() const {
    return impl_->table.Cols();
}

int32_t CQuibCtrl::RowsCount() const {
    return impl_->rowsCount();
}

int32_t CQuibCtrl::HeadersCount() const {
    return impl_->table.Headers();
}

int32_t CQuibCtrl::RowIndex() const {
    return impl_->rowIndex;
}

int32_t CQuibCtrl::FiltersCount() const {
    return impl_->filters.Count();
}

bool CQuibCtrl::FilterActive() const {
    return impl_->filterActive;
}

void CQuibCtrl::SetFilterActive(bool active) {
    impl_->filterActive = active;
    impl_->rebuildView();
}

int32_t CQuibCtrl::RowsCountFilter() const {
    return impl_->view.Size();
}

int32_t CQuibCtrl::RowsCountTotal() const {
    return impl_->table.Rows();
}

int32_t CQuibCtrl::SortsCount() const {
    return impl_->sorts.Count();
}

int32_t CQuibCtrl::HeaderTextsCount(int32_t HeaderIndex) const {
    return impl_->validHeader(HeaderIndex) ? impl_->textsOf(HeaderIndex) : -1;
}

// --- Cells, rows and columns --------------------------------------------

std::string CQuibCtrl::GetData(int32_t Row, int32_t Col) const {
    std::string_view cell;
    if (!impl_->cellAt(Row, Col, cell)) {
        return {};
    }
    return impl_->encoding() == TextEncoding::Utf8 ? std::string(cell) : Cp1250ToUtf8(cell);
}

bool CQuibCtrl::SetData(int32_t Row, int32_t Col, const std::string& Data) {
    return impl_->wrapped(&QuibEvents::BeforeSetData, &QuibEvents::AfterSetData, [&] {
        const int32_t row = impl_->resolveRow(Row);
        if (!impl_->validRow(row) || !impl_->validCol(Col)) {
            return false;
        }
        const int32_t physical = impl_->view.Physical(row);
        if (!impl_->table.IsLoaded(physical)) {
            return false;  // rows are still being read from the file
        }
        impl_->table.SetCell(physical, Col, impl_->toStored(Data));
        // Only this row can have entered or left the view.
        impl_->view.RowChanged(impl_->table, impl_->filters, impl_->filterActive, physical);
        return true;
    });
}

bool CQuibCtrl::NewCol(int32_t Col) {
    return impl_->wrapped(&QuibEvents::BeforeNewCol, &QuibEvents::AfterNewCol, [&] {
        if (impl_->loading) {
            return false;
        }
        if (Col < 0 || Col > impl_->table.Cols()) {
            return false;
        }
        if (impl_->table.Cols() == INT32_MAX) {
            throw std::bad_alloc();  // no room for another column number
        }
        impl_->table.InsertCol(Col);
        impl_->rebuildView();
        return true;
    });
}

bool CQuibCtrl::DeleteCol(int32_t Col) {
    return impl_->wrapped(&QuibEvents::BeforeDeleteCol, &QuibEvents::AfterDeleteCol, [&] {
        if (impl_->loading) {
            return false;
        }
        if (!impl_->validCol(Col)) {
            return false;
        }
        impl_->table.RemoveCol(Col);
        impl_->rebuildView();
        return true;
    });
}

bool CQuibCtrl::NewRow(int32_t Row) {
    return impl_->wrapped(&QuibEvents::BeforeNewRow, &QuibEvents::AfterNewRow, [&] {
        if (impl_->loading) {
            return false;
        }
        const int32_t row = impl_->resolveRow(Row);
        if (row < 0 || row > impl_->rowsCount()) {
            return false;
        }
        const int32_t before =
            row == impl_->rowsCount() ? impl_->table.Rows() : impl_->view.Physical(row);
        impl_->table.InsertRow(before);
        impl_->view.RowInserted(impl_->table, impl_->filters, impl_->filterActive, before);
        return true;
    });
}

bool CQuibCtrl::DeleteRow(int32_t Row) {
    return impl_->wrapped(&QuibEvents::BeforeDeleteRow, &QuibEvents::AfterDeleteRow, [&] {
        if (impl_->loading) {
            return false;
        }
        const int32_t row = impl_->resolveRow(Row);
        if (!impl_->validRow(row)) {
            return false;
        }
        const int32_t physical = impl_->view.Physical(row);
        impl_->table.RemoveRow(physical);
        impl_->view.RowRemoved(impl_->table, impl_->filters, impl_->filterActive, physical);
        return true;
    });
}

// --- Header records -----------------------------------------------------

bool CQuibCtrl::NewHeader(int32_t HeaderIndex) {
    return impl_->wrapped(&QuibEvents::BeforeNewHeader, &QuibEvents::AfterNewHeader, [&] {
        if (HeaderIndex < 0 || HeaderIndex > impl_->table.Headers()) {
            return false;
        }
        impl_->table.InsertHeader(HeaderIndex);
        return true;
    });
}

bool CQuibCtrl::DeleteHeader(int32_t HeaderIndex) {
    return impl_->wrapped(&QuibEvents::BeforeDeleteHeader, &QuibEvents::AfterDeleteHeader, [&] {
        if (!impl_->validHeader(HeaderIndex)) {
            return false;
        }
        impl_->table.RemoveHeader(HeaderIndex);
        return true;
    });
}

std::string CQuibCtrl::GetHeaderName(int32_t HeaderIndex) const {
    if (!impl_->validHeader(HeaderIndex)) {
        return {};
    }
    return impl_->toSurface(impl_->table.Header(HeaderIndex).Text(0));
}

bool CQuibCtrl::SetHeaderName(int32_t HeaderIndex, const std::string& Data) {
    return impl_->wrapped(&QuibEvents::BeforeSetHeaderName, &QuibEvents::AfterSetHeaderName, [&] {
        if (!impl_->validHeader(HeaderIndex)) {
            return false;
        }
        impl_->table.SetHeaderText(HeaderIndex, 0, impl_->toStored(Data));
        return true;
    });
}

bool CQuibCtrl::NewHeaderText(int32_t HeaderIndex, int32_t TextIndex) {
    return impl_->wrapped(&QuibEvents::BeforeNewHeaderText, &QuibEvents::AfterNewHeaderText, [&] {
        if (!impl_->validHeader(HeaderIndex) || TextIndex < 0 ||
            TextIndex > impl_->textsOf(HeaderIndex)) {
            return false;
        }
        impl_->table.InsertHeaderText(HeaderIndex, TextIndex + 1);
        return true;
    });
}

bool CQuibCtrl::DeleteHeaderText(int32_t HeaderIndex, int32_t TextIndex) {
    return impl_->wrapped(&QuibEvents::BeforeDeleteHeaderText, &QuibEvents::AfterDeleteHeaderText,
                          [&] {
                              if (!impl_->validHeader(HeaderIndex) || TextIndex < 0 ||
                                  TextIndex >= impl_->textsOf(HeaderIndex)) {
                                  return false;
                              }
                              impl_->table.RemoveHeaderText(HeaderIndex, TextIndex + 1);
                              return true;
                          });
}

std::string CQuibCtrl::GetHeaderText(int32_t HeaderIndex, int32_t TextIndex) const {
    if (!impl_->validHeader(HeaderIndex) || TextIndex < 0 ||
        TextIndex >= impl_->textsOf(HeaderIndex)) {
        return {};
    }
    return impl_->toSurface(impl_->table.Header(HeaderIndex).Text(TextIndex + 1));
}

bool CQuibCtrl::SetHeaderText(int32_t HeaderIndex, int32_t TextIndex, const std::string& Data) {
    return impl_->wrapped(&QuibEvents::BeforeSetHeaderText, &QuibEvents::AfterSetHeaderText, [&] {
        if (!impl_->validHeader(HeaderIndex) || TextIndex < 0 ||
            TextIndex >= impl_->textsOf(HeaderIndex)) {
            return false;
        }
        impl_->table.SetHeaderText(HeaderIndex, TextIndex + 1, impl_->toStored(Data));
        return true;
    });
}

int32_t CQuibCtrl::GetHeaderIndexFromName(const std::string& HeaderName) const {
    if (!CanStore(impl_->encoding(), HeaderName, nullptr)) {
        return -1;  // no stored name can be equal to it
    }
    const std::string name = ToStored(impl_->encoding(), HeaderName);
    for (int32_t h = 0; h < impl_->table.Headers(); ++h) {
        if (impl_->table.Header(h).Text(0) == name) {
            return h;
        }
    }
    return -1;
}

// --- Database file ------------------------------------------------------

bool CQuibCtrl::Open() {
    if (!impl_->allowed(&QuibEvents::BeforeOpen)) {
        return false;
    }
    if (impl_->loading) {
        impl_->fire(&QuibEvents::AfterOpen);
        return false;
    }
    impl_->empty();
    RemoveStaleTempFiles(impl_->databaseName);
    const TextEncoding before = impl_->encoding();
    bool loaded = false;
    impl_->loading = true;
    try {
        loaded = ReadDatabaseFile(impl_->databaseName, impl_->table, [this] {
            return impl_->allowed(&QuibEvents::CheckCompatibility);
        });
    } catch (...) {
        impl_->loading = false;
        impl_->empty();
        impl_->table.SetEncoding(before);
        throw;
    }
    impl_->loading = false;
    if (loaded) {
        impl_->rowIndex = impl_->table.Rows() > 0 ? 0 : -1;
        impl_->rebuildView();
    } else {
        impl_->empty();
        impl_->table.SetEncoding(before);
    }
    impl_->fire(&QuibEvents::AfterOpen);
    return loaded;
}

bool CQuibCtrl::Close() {
    if (!impl_->allowed(&QuibEvents::BeforeClose)) {
        return false;
    }
    if (impl_->loading) {
        impl_->fire(&QuibEvents::AfterClose);
        return false;
    }
    impl_->empty();
    impl_->fire(&QuibEvents::AfterClose);
    return true;
}

bool CQuibCtrl::Create() {
    if (!impl_->allowed(&QuibEvents::BeforeCreate)) {
        return false;
    }
    if (impl_->loading) {
        impl_->fire(&QuibEvents::AfterCreate);
        return false;
    }
    impl_->empty();
    impl_->save();
    impl_->fire(&QuibEvents::AfterCreate);
    return true;
}

bool CQuibCtrl::Save() {
    if (!impl_->allowed(&QuibEvents::BeforeSave)) {
        return false;
    }
    if (impl_->loading) {
        impl_->fire(&QuibEvents::AfterSave);
        return false;
    }
    impl_->save();
    impl_->fire(&QuibEvents::AfterSave);
    return true;
}

QuibSnapshot CQuibCtrl::TakeSnapshot() const {
    if (impl_->loading) {
        return QuibSnapshot();  // the rows are still being read
    }
    try {
        return QuibSnapshot(std::make_shared<const TableImage>(impl_->table.Image()));
    } catch (const std::bad_alloc&) {
        RaiseError(errors::kOutOfMemory);
    }
}

int32_t CQuibCtrl::CompareVersion(const std::string& First, const std::string& Second) const {
    return CompareVersionTexts(First, Second);
}

// --- Cursor -------------------------------------------------------------

bool CQuibCtrl::MoveFirst() {
    return impl_->moveTo(0);
}

bool CQuibCtrl::MovePrevious() {
    return impl_->moveTo(impl_->rowIndex - 1);
}

bool CQuibCtrl::MoveNext() {
    return impl_->moveTo(impl_->rowIndex + 1);
}

bool CQuibCtrl::MoveLast() {
    return impl_->moveTo(impl_->table.Rows() - 1);
}

bool CQuibCtrl::MoveTo(int32_t RowIndex) {
    return impl_->moveTo(RowIndex);
}

void CQuibCtrl::RefreshData() {
    impl_->fire(&QuibEvents::OnRefreshData);
}

bool CQuibCtrl::SaveRow() {
    impl_->fire(&QuibEvents::OnSaveRow);
    return true;
}

// --- Filters ------------------------------------------------------------

bool CQuibCtrl::NewFilter(int32_t FilterIndex) {
    return impl_->wrapped(&QuibEvents::BeforeNewFilter, &QuibEvents::AfterNewFilter,
                          [&] { return impl_->filters.Insert(FilterIndex); });
}

bool CQuibCtrl::DeleteFilter(int32_t FilterIndex) {
    return impl_->wrapped(&QuibEvents::BeforeDeleteFilter, &QuibEvents::AfterDeleteFilter, [&] {
        if (!impl_->filters.Remove(FilterIndex)) {
            return false;
        }
        impl_->rebuildView();
        return true;
    });
}

bool CQuibCtrl::SetFilterData(int32_t FilterIndex, const std::string& FieldName,
                              const std::string& Data) {
    return impl_->wrapped(&QuibEvents::BeforeSetFilterData, &QuibEvents::AfterSetFilterData, [&] {
        // Kept as UTF-8 and compared in the table's encoding at each pass,
        // so that a filter means the same for every table it is used on.
        SanitizeUtf8(Data, impl_->stored);
        if (!impl_->filters.Set(FilterIndex, FieldName, impl_->stored)) {
            return false;
        }
        impl_->rebuildView();
        return true;
    });
}

std::string CQuibCtrl::GetFilterData(int32_t FilterIndex, const std::string& FieldName) const {
    return impl_->filters.Get(FilterIndex, FieldName);
}

// --- Sorts --------------------------------------------------------------

bool CQuibCtrl::NewSort(int32_t SortIndex) {
    return impl_->sorts.Insert(SortIndex);
}

bool CQuibCtrl::DeleteSort(int32_t SortIndex) {
    if (!impl_->sorts.Remove(SortIndex)) {
        return false;
    }
    return Sort();
}

bool CQuibCtrl::SetSortData(int32_t SortIndex, const std::string& FieldName,
                            const std::string& Data) {
    return impl_->wrapped(&QuibEvents::BeforeSetSortData, &QuibEvents::AfterSetSortData, [&] {
        SanitizeUtf8(Data, impl_->stored);
        if (!impl_->sorts.Set(SortIndex, FieldName, impl_->stored)) {
            return false;
        }
        return Sort();
    });
}

std::string CQuibCtrl::GetSortData(int32_t SortIndex, const std::string& FieldName) const {
    return impl_->sorts.Get(SortIndex, FieldName);
}

bool CQuibCtrl::Sort() {
    try {
        SortRows(impl_->table, impl_->sorts);
    } catch (const std::bad_alloc&) {
        RaiseError(errors::kOutOfMemory);
    }
    impl_->rebuildView();
    return true;
}

// --- About --------------------------------------------------------------

void CQuibCtrl::AboutBox() const {}

std::string CQuibCtrl::AboutText() {
    return "About Quib ActiveX Control Module\n"
           "Quib ActiveX Control Module, Version 1.1\n"
           "Copyright (C) 2001-2026 Orvane. All rights reserved.\n"
           "https://www.orvane.example\n"
           "support@orvane.example";
}

std::unique_ptr<CQuibCtrl> CreateControl(std::string_view classId) {
    if (classId != kQuibClassId) {
        return nullptr;
    }
    return std::make_unique<CQuibCtrl>();
}

}  // namespace quib
