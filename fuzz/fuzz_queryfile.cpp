// Feeds arbitrary bytes to the query file reader. It must read a query of at
// most 50 conditions or refuse the file with a message; a query it read,
// written out again and read back, is the same query.
#include "query/u_IniFile.h"
#include "query/u_QueryFile.h"
#include "session/u_ContactSchema.h"

#include <cstdint>
#include <cstdlib>

namespace {

TQuery readQuery(QByteArrayView bytes, const QStringList& names, bool& read) {
    TQuery query;
    QString error;
    read = QueryFile::FromIni(TIniFile::FromBytes(bytes), names, query, error);
    if (!read && error.isEmpty()) {
        std::abort();
    }
    return query;
}

// A text goes out as UTF-8, so that is how texts compare: a lone surrogate
// of a broken UTF-16 file has no UTF-8 form of its own.
QByteArray asWritten(const QString& text) {
    return text.toUtf8();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList names = ContactSchema::ColumnNames();
    bool read = false;
    const TQuery query = readQuery(QByteArrayView(data, static_cast<qsizetype>(size)), names, read);
    if (!read) {
        return 0;
    }
    const int count = query.DefinedCount();
    if (count < 0 || count > TQuery::RowCount) {
        std::abort();
    }
    const QByteArray written = QueryFile::ToIni(query, names).ToBytes();
    const TQuery again = readQuery(written, names, read);
    if (!read || again.op() != query.op() || again.DefinedCount() != count) {
        std::abort();
    }
    for (int n = 0; n < count; ++n) {
        const TQueryRow& a = query.row(n);
        const TQueryRow& b = again.row(n);
        if (a.item != b.item || a.compar != b.compar || a.caseSensitive != b.caseSensitive ||
            asWritten(a.text) != asWritten(b.text)) {
            std::abort();
        }
    }
    return 0;
}
