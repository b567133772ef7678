#include "session/QUIBLib_TLB.h"

#include <quib/QuibCtrl.h>

#include "support/u_TextEncoding.h"

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

// --- Reading ---------------------------------------------------------------------

TQuibReader::TQuibReader() : ctrl_(quib::CreateControl(quib::kQuibClassId)) {
    if (!ctrl_) {
        throw std::runtime_error("The database control QUIB.QuibCtrl.1 could not be created.");
    }
}

TQuibReader::~TQuibReader() = default;

QString TQuibReader::DatabaseName() const {
    return fromEngine(engine().DatabaseName());
}
int TQuibReader::ColsCount() const {
    return engine().ColsCount();
}
int TQuibReader::RowsCount() const {
    return engine().RowsCount();
}
int TQuibReader::HeadersCount() const {
    return engine().HeadersCount();
}
int TQuibReader::RowIndex() const {
    return engine().RowIndex();
}
int TQuibReader::FiltersCount() const {
    return engine().FiltersCount();
}
bool TQuibReader::FilterActive() const {
    return engine().FilterActive();
}
int TQuibReader::RowsCountFilter() const {
    return engine().RowsCountFilter();
}
int TQuibReader::RowsCountTotal() const {
    return engine().RowsCountTotal();
}
int TQuibReader::SortsCount() const {
    return engine().SortsCount();
}
int TQuibReader::HeaderTextsCount(int HeaderIndex) const {
    return engine().HeaderTextsCount(HeaderIndex);
}
quib::TextEncoding TQuibReader::Encoding() const {
    return engine().Encoding();
}
bool TQuibReader::CanStoreText(const QString& text, QString* firstMissing) const {
    char32_t missing = 0;
    if (engine().CanStoreText(toEngine(text), &missing)) {
        return true;
    }
    if (firstMissing != nullptr) {
        *firstMissing = QString::fromUcs4(&missing, 1);
    }
    return false;
}
QString TQuibReader::GetData(int Row, int Col) const {
    return guarded([&] { return fromEngine(engine().GetData(Row, Col)); });
}
std::string_view TQuibReader::DataView(int Row, int Col) const {
    return guarded([&] { return engine().DataView(Row, Col); });
}
void TQuibReader::GetDataInto(int Row, int Col, QString& out) const {
    const std::string_view cell = DataView(Row, Col);
    Utf8Into(QByteArrayView(cell.data(), static_cast<qsizetype>(cell.size())), out);
}
QString TQuibReader::GetHeaderText(int HeaderIndex, int TextIndex) const {
    return guarded([&] { return fromEngine(engine().GetHeaderText(HeaderIndex, TextIndex)); });
}
QString TQuibReader::GetHeaderName(int HeaderIndex) const {
    return guarded([&] { return fromEngine(engine().GetHeaderName(HeaderIndex)); });
}
int TQuibReader::GetHeaderIndexFromName(const QString& HeaderName) const {
    return guarded([&] { return engine().GetHeaderIndexFromName(toEngine(HeaderName)); });
}
int TQuibReader::CompareVersion(const QString& First, const QString& Second) const {
    return guarded([&] { return engine().CompareVersion(toEngine(First), toEngine(Second)); });
}
QString TQuibReader::GetFilterData(int FilterIndex, const QString& FieldName) const {
    return guarded(
        [&] { return fromEngine(engine().GetFilterData(FilterIndex, toEngine(FieldName))); });
}
QString TQuibReader::GetSortData(int SortIndex, const QString& FieldName) const {
    return guarded(
        [&] { return fromEngine(engine().GetSortData(SortIndex, toEngine(FieldName))); });
}
quib::QuibSnapshot TQuibReader::TakeSnapshot() const {
    return guarded([&] { return engine().TakeSnapshot(); });
}

// --- Changing ----------------------------------------------------------------------

TQuib::TQuib(QObject* parent) : QObject(parent), listener_(std::make_unique<Listener>(*this)) {
    engine().SetListener(listener_.get());
}

TQuib::~TQuib() {
    engine().SetListener(nullptr);
}

void TQuib::SetDatabaseName(const QString& name) {
    engine().SetDatabaseName(toEngine(name));
}
void TQuib::SetFilterActive(bool active) {
    guarded([&] { engine().SetFilterActive(active); });
}

bool TQuib::SetEncoding(quib::TextEncoding encoding) {
    return guarded([&] { return engine().SetEncoding(encoding); });
}

bool TQuib::SetData(int Row, int Col, const QString& Data) {
    return guarded([&] { return engine().SetData(Row, Col, toEngine(Data)); });
}
bool TQuib::Open() {
    return guarded([&] { return engine().Open(); });
}
bool TQuib::Close() {
    return guarded([&] { return engine().Close(); });
}
bool TQuib::Create() {
    return guarded([&] { return engine().Create(); });
}
bool TQuib::Save() {
    return guarded([&] { return engine().Save(); });
}
bool TQuib::NewCol(int Col) {
    return guarded([&] { return engine().NewCol(Col); });
}
bool TQuib::DeleteCol(int Col) {
    return guarded([&] { return engine().DeleteCol(Col); });
}
bool TQuib::NewRow(int Row) {
    return guarded([&] { return engine().NewRow(Row); });
}
bool TQuib::AppendRow(const std::vector<std::string>& texts) {
    return guarded([&] { return engine().AppendRow(texts); });
}
bool TQuib::DeleteRow(int Row) {
    return guarded([&] { return engine().DeleteRow(Row); });
}

void TQuib::DeleteLastRows(int Count) {
    for (int i = 0; i < Count && RowsCount() > 0; ++i) {
        DeleteRow(RowsCount() - 1);
    }
}
bool TQuib::NewHeader(int HeaderIndex) {
    return guarded([&] { return engine().NewHeader(HeaderIndex); });
}
bool TQuib::DeleteHeader(int HeaderIndex) {
    return guarded([&] { return engine().DeleteHeader(HeaderIndex); });
}
bool TQuib::NewHeaderText(int HeaderIndex, int TextIndex) {
    return guarded([&] { return engine().NewHeaderText(HeaderIndex, TextIndex); });
}
bool TQuib::DeleteHeaderText(int HeaderIndex, int TextIndex) {
    return guarded([&] { return engine().DeleteHeaderText(HeaderIndex, TextIndex); });
}
bool TQuib::SetHeaderName(int HeaderIndex, const QString& Data) {
    return guarded([&] { return engine().SetHeaderName(HeaderIndex, toEngine(Data)); });
}
bool TQuib::SetHeaderText(int HeaderIndex, int TextIndex, const QString& Data) {
    return guarded([&] { return engine().SetHeaderText(HeaderIndex, TextIndex, toEngine(Data)); });
}
bool TQuib::MoveFirst() {
    return guarded([&] { return engine().MoveFirst(); });
}
bool TQuib::MovePrevious() {
    return guarded([&] { return engine().MovePrevious(); });
}
bool TQuib::MoveNext() {
    return guarded([&] { return engine().MoveNext(); });
}
bool TQuib::MoveLast() {
    return guarded([&] { return engine().MoveLast(); });
}
bool TQuib::MoveTo(int RowIndex) {
    return guarded([&] { return engine().MoveTo(RowIndex); });
}
void TQuib::RefreshData() {
    guarded([&] { engine().RefreshData(); });
}
bool TQuib::SaveRow() {
    return guarded([&] { return engine().SaveRow(); });
}
bool TQuib::NewFilter(int FilterIndex) {
    return guarded([&] { return engine().NewFilter(FilterIndex); });
}
bool TQuib::DeleteFilter(int FilterIndex) {
    return guarded([&] { return engine().DeleteFilter(FilterIndex); });
}
bool TQuib::SetFilterData(int FilterIndex, const QString& FieldName, const QString& Data) {
    return guarded(
        [&] { return engine().SetFilterData(FilterIndex, toEngine(FieldName), toEngine(Data)); });
}
bool TQuib::NewSort(int SortIndex) {
    return guarded([&] { return engine().NewSort(SortIndex); });
}
bool TQuib::DeleteSort(int SortIndex) {
    return guarded([&] { return engine().DeleteSort(SortIndex); });
}
bool TQuib::SetSortData(int SortIndex, const QString& FieldName, const QString& Data) {
    return guarded(
        [&] { return engine().SetSortData(SortIndex, toEngine(FieldName), toEngine(Data)); });
}
bool TQuib::Sort() {
    return guarded([&] { return engine().Sort(); });
}
void TQuib::AboutBox() const {
    engine().AboutBox();
}
