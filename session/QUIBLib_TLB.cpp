#include "session/QUIBLib_TLB.h"

#include <quib/QuibCtrl.h>

#include <QCoreApplication>

namespace {

std::string toEngine(const QString& text) {
    return text.toStdString();
}

QString fromEngine(const std::string& text) {
    return QString::fromStdString(text);
}

// The engine's fixed error messages, listed so that a language module can
// carry them; the engine itself knows only the English texts.
[[maybe_unused]] constexpr const char* kEngineMessages[] = {
    QT_TRANSLATE_NOOP("QuibError", "Error when opening database file to write."),
    QT_TRANSLATE_NOOP("QuibError", "Error when opening database file to read."),
    QT_TRANSLATE_NOOP("QuibError", "Unexpected end of file. The database file is corrupted."),
    QT_TRANSLATE_NOOP("QuibError",
                      "Error when writing database file. The database file was not changed."),
    QT_TRANSLATE_NOOP("QuibError",
                      "File has bad format. File hasn't Orvane Datababase file format."),
    QT_TRANSLATE_NOOP("QuibError",
                      "File is newer than this program supports. File require newer "
                      "database system."),
    QT_TRANSLATE_NOOP("QuibError",
                      "Out of memory.\n\nNote: This error may occurr if the database file is "
                      "corrupted as well."),
};

// Runs an engine call and turns an engine error into the program's exception,
// its message in the program's language.
template <typename F>
auto guarded(F&& call) -> decltype(call()) {
    try {
        return call();
    } catch (const quib::QuibError& e) {
        throw EQuibError(e.code(),
                         QCoreApplication::translate("QuibError", e.what()).toStdString());
    }
}

}  // namespace

class TQuib::Listener : public quib::QuibEvents {
  public:
    explicit Listener(TQuib& owner) : owner_(owner) {}

    void OnRefreshData() override { fire(owner_.OnRefreshData); }
    void AfterOpen() override { fire(owner_.OnAfterOpen); }
    void AfterSave() override { fire(owner_.OnAfterSave); }
    void AfterClose() override { fire(owner_.OnAfterClose); }
    void AfterMove() override { fire(owner_.OnAfterMove); }
    void AfterNewRow() override { fire(owner_.OnAfterNewRow); }
    void AfterDeleteRow() override { fire(owner_.OnAfterDeleteRow); }
    void AfterNewCol() override { fire(owner_.OnAfterNewCol); }
    void AfterDeleteCol() override { fire(owner_.OnAfterDeleteCol); }
    void AfterNewHeader() override { fire(owner_.OnAfterNewHeader); }
    void AfterDeleteHeader() override { fire(owner_.OnAfterDeleteHeader); }
    void AfterNewHeaderText() override { fire(owner_.OnAfterNewHeaderText); }
    void AfterDeleteHeaderText() override { fire(owner_.OnAfterDeleteHeaderText); }
    void AfterSetData() override { fire(owner_.OnAfterSetData); }
    void AfterSetHeaderText() override { fire(owner_.OnAfterSetHeaderText); }
    void AfterSetHeaderName() override { fire(owner_.OnAfterSetHeaderName); }
    void AfterCreate() override { fire(owner_.OnAfterCreate); }
    void OnSaveRow() override { fire(owner_.OnSaveRow); }
    void AfterDeleteFilter() override { fire(owner_.OnAfterDeleteFilter); }
    void AfterNewFilter() override { fire(owner_.OnAfterNewFilter); }
    void AfterSetFilterData() override { fire(owner_.OnAfterSetFilterData); }
    void AfterSetSortData() override { fire(owner_.OnAfterSetSortData); }
    void BeforeOpen(int16_t& Cancel) override { fire(owner_.OnBeforeOpen, Cancel); }
    void BeforeClose(int16_t& Cancel) override { fire(owner_.OnBeforeClose, Cancel); }
    void BeforeCreate(int16_t& Cancel) override { fire(owner_.OnBeforeCreate, Cancel); }
    void BeforeDeleteCol(int16_t& Cancel) override { fire(owner_.OnBeforeDeleteCol, Cancel); }
    void BeforeDeleteHeader(int16_t& Cancel) override { fire(owner_.OnBeforeDeleteHeader, Cancel); }
    void BeforeDeleteHeaderText(int16_t& Cancel) override {
        fire(owner_.OnBeforeDeleteHeaderText, Cancel);
    }
    void BeforeDeleteRow(int16_t& Cancel) override { fire(owner_.OnBeforeDeleteRow, Cancel); }
    void BeforeMove(int16_t& Cancel) override { fire(owner_.OnBeforeMove, Cancel); }
    void BeforeNewCol(int16_t& Cancel) override { fire(owner_.OnBeforeNewCol, Cancel); }
    void BeforeNewHeader(int16_t& Cancel) override { fire(owner_.OnBeforeNewHeader, Cancel); }
    void BeforeNewHeaderText(int16_t& Cancel) override {
        fire(owner_.OnBeforeNewHeaderText, Cancel);
    }
    void BeforeNewRow(int16_t& Cancel) override { fire(owner_.OnBeforeNewRow, Cancel); }
    void BeforeSave(int16_t& Cancel) override { fire(owner_.OnBeforeSave, Cancel); }
    void BeforeSetData(int16_t& Cancel) override { fire(owner_.OnBeforeSetData, Cancel); }
    void BeforeSetHeaderName(int16_t& Cancel) override {
        fire(owner_.OnBeforeSetHeaderName, Cancel);
    }
    void BeforeSetHeaderText(int16_t& Cancel) override {
        fire(owner_.OnBeforeSetHeaderText, Cancel);
    }
    void CheckCompatibility(int16_t& Cancel) override { fire(owner_.OnCheckCompatibility, Cancel); }
    void BeforeDeleteFilter(int16_t& Cancel) override { fire(owner_.OnBeforeDeleteFilter, Cancel); }
    void BeforeNewFilter(int16_t& Cancel) override { fire(owner_.OnBeforeNewFilter, Cancel); }
    void BeforeSetFilterData(int16_t& Cancel) override {
        fire(owner_.OnBeforeSetFilterData, Cancel);
    }
    void BeforeSetSortData(int16_t& Cancel) override { fire(owner_.OnBeforeSetSortData, Cancel); }

  private:
    static void fire(const Notify& handler) {
        if (handler) {
            handler();
        }
    }
    static void fire(const CancelNotify& handler, int16_t& Cancel) {
        if (handler) {
            handler(Cancel);
        }
    }

    TQuib& owner_;
};

TQuib::TQuib(QObject* parent)
    : QObject(parent),
      ctrl_(quib::CreateControl(quib::kQuibClassId)),
      listener_(std::make_unique<Listener>(*this)) {
    if (!ctrl_) {
        throw std::runtime_error("The database control QUIB.QuibCtrl.1 could not be created.");
    }
    ctrl_->SetListener(listener_.get());
}

TQuib::~TQuib() {
    ctrl_->SetListener(nullptr);
}

QString TQuib::DatabaseName() const {
    return fromEngine(ctrl_->DatabaseName());
}
void TQuib::SetDatabaseName(const QString& name) {
    ctrl_->SetDatabaseName(toEngine(name));
}
int TQuib::ColsCount() const {
    return ctrl_->ColsCount();
}
int TQuib::RowsCount() const {
    return ctrl_->RowsCount();
}
int TQuib::HeadersCount() const {
    return ctrl_->HeadersCount();
}
int TQuib::RowIndex() const {
    return ctrl_->RowIndex();
}
int TQuib::FiltersCount() const {
    return ctrl_->FiltersCount();
}
bool TQuib::FilterActive() const {
    return ctrl_->FilterActive();
}
void TQuib::SetFilterActive(bool active) {
    guarded([&] { ctrl_->SetFilterActive(active); });
}
int TQuib::RowsCountFilter() const {
    return ctrl_->RowsCountFilter();
}
int TQuib::RowsCountTotal() const {
    return ctrl_->RowsCountTotal();
}
int TQuib::SortsCount() const {
    return ctrl_->SortsCount();
}
int TQuib::HeaderTextsCount(int HeaderIndex) const {
    return ctrl_->HeaderTextsCount(HeaderIndex);
}

QString TQuib::GetData(int Row, int Col) const {
    return guarded([&] { return fromEngine(ctrl_->GetData(Row, Col)); });
}
bool TQuib::SetData(int Row, int Col, const QString& Data) {
    return guarded([&] { return ctrl_->SetData(Row, Col, toEngine(Data)); });
}
bool TQuib::Open() {
    return guarded([&] { return ctrl_->Open(); });
}
bool TQuib::Close() {
    return guarded([&] { return ctrl_->Close(); });
}
bool TQuib::Create() {
    return guarded([&] { return ctrl_->Create(); });
}
bool TQuib::Save() {
    return guarded([&] { return ctrl_->Save(); });
}
quib::QuibSnapshot TQuib::TakeSnapshot() const {
    return guarded([&] { return ctrl_->TakeSnapshot(); });
}
bool TQuib::NewCol(int Col) {
    return guarded([&] { return ctrl_->NewCol(Col); });
}
bool TQuib::DeleteCol(int Col) {
    return guarded([&] { return ctrl_->DeleteCol(Col); });
}
bool TQuib::NewRow(int Row) {
    return guarded([&] { return ctrl_->NewRow(Row); });
}
bool TQuib::DeleteRow(int Row) {
    return guarded([&] { return ctrl_->DeleteRow(Row); });
}

void TQuib::DeleteLastRows(int Count) {
    for (int i = 0; i < Count && RowsCount() > 0; ++i) {
        DeleteRow(RowsCount() - 1);
    }
}
bool TQuib::NewHeader(int HeaderIndex) {
    return guarded([&] { return ctrl_->NewHeader(HeaderIndex); });
}
bool TQuib::DeleteHeader(int HeaderIndex) {
    return guarded([&] { return ctrl_->DeleteHeader(HeaderIndex); });
}
bool TQuib::NewHeaderText(int HeaderIndex, int TextIndex) {
    return guarded([&] { return ctrl_->NewHeaderText(HeaderIndex, TextIndex); });
}
bool TQuib::DeleteHeaderText(int HeaderIndex, int TextIndex) {
    return guarded([&] { return ctrl_->DeleteHeaderText(HeaderIndex, TextIndex); });
}
QString TQuib::GetHeaderText(int HeaderIndex, int TextIndex) const {
    return guarded([&] { return fromEngine(ctrl_->GetHeaderText(HeaderIndex, TextIndex)); });
}
QString TQuib::GetHeaderName(int HeaderIndex) const {
    return guarded([&] { return fromEngine(ctrl_->GetHeaderName(HeaderIndex)); });
}
bool TQuib::SetHeaderName(int HeaderIndex, const QString& Data) {
    return guarded([&] { return ctrl_->SetHeaderName(HeaderIndex, toEngine(Data)); });
}
bool TQuib::SetHeaderText(int HeaderIndex, int TextIndex, const QString& Data) {
    return guarded([&] { return ctrl_->SetHeaderText(HeaderIndex, TextIndex, toEngine(Data)); });
}
int TQuib::GetHeaderIndexFromName(const QString& HeaderName) const {
    return guarded([&] { return ctrl_->GetHeaderIndexFromName(toEngine(HeaderName)); });
}
int TQuib::CompareVersion(const QString& First, const QString& Second) const {
    return guarded([&] { return ctrl_->CompareVersion(toEngine(First), toEngine(Second)); });
}
bool TQuib::MoveFirst() {
    return guarded([&] { return ctrl_->MoveFirst(); });
}
bool TQuib::MovePrevious() {
    return guarded([&] { return ctrl_->MovePrevious(); });
}
bool TQuib::MoveNext() {
    return guarded([&] { return ctrl_->MoveNext(); });
}
bool TQuib::MoveLast() {
    return guarded([&] { return ctrl_->MoveLast(); });
}
bool TQuib::MoveTo(int RowIndex) {
    return guarded([&] { return ctrl_->MoveTo(RowIndex); });
}
void TQuib::RefreshData() {
    guarded([&] { ctrl_->RefreshData(); });
}
bool TQuib::SaveRow() {
    return guarded([&] { return ctrl_->SaveRow(); });
}
bool TQuib::NewFilter(int FilterIndex) {
    return guarded([&] { return ctrl_->NewFilter(FilterIndex); });
}
bool TQuib::DeleteFilter(int FilterIndex) {
    return guarded([&] { return ctrl_->DeleteFilter(FilterIndex); });
}
bool TQuib::SetFilterData(int FilterIndex, const QString& FieldName, const QString& Data) {
    return guarded(
        [&] { return ctrl_->SetFilterData(FilterIndex, toEngine(FieldName), toEngine(Data)); });
}
QString TQuib::GetFilterData(int FilterIndex, const QString& FieldName) const {
    return guarded(
        [&] { return fromEngine(ctrl_->GetFilterData(FilterIndex, toEngine(FieldName))); });
}
bool TQuib::NewSort(int SortIndex) {
    return guarded([&] { return ctrl_->NewSort(SortIndex); });
}
bool TQuib::DeleteSort(int SortIndex) {
    return guarded([&] { return ctrl_->DeleteSort(SortIndex); });
}
bool TQuib::SetSortData(int SortIndex, const QString& FieldName, const QString& Data) {
    return guarded(
        [&] { return ctrl_->SetSortData(SortIndex, toEngine(FieldName), toEngine(Data)); });
}
QString TQuib::GetSortData(int SortIndex, const QString& FieldName) const {
    return guarded([&] { return fromEngine(ctrl_->GetSortData(SortIndex, toEngine(FieldName))); });
}
bool TQuib::Sort() {
    return guarded([&] { return ctrl_->Sort(); });
}
void TQuib::AboutBox() const {
    ctrl_->AboutBox();
}
