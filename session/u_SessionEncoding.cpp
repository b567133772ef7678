// The session's text-encoding members: what keeps a Central European
// database from storing a letter it cannot hold.
#include "session/u_ContactsSession.h"

#include "session/QUIBLib_TLB.h"
#include "session/u_ContactsDB.h"
#include "session/u_DBConverter.h"
#include "support/u_ProductInfo.h"

// --- Text encoding -------------------------------------------------------------------

void TContactsSession::ensureStorable(const TRowsIn& rows) {
    if (quib_->IsUnicode()) {
        return;
    }
    for (int i = 0; i < rows.count; ++i) {
        std::optional<TUnstorableText> missing = FirstUnstorableText(*quib_, rows.texts(i));
        if (!missing) {
            continue;
        }
        const int field = columns_.lstDBColsIndexFromDB.at(missing->column);
        missing->field = field >= 0 && field < columns_.lstDBColsTitleFull.size()
                             ? columns_.lstDBColsTitleFull.at(field)
                             : DatabaseColumns(*quib_).value(missing->column);
        if (unicodeQuestion_ && unicodeQuestion_(*missing)) {
            ConvertToUnicode();
            return;
        }
        throw ETextNotStored(*missing);
    }
}

void TContactsSession::ConvertToUnicode() {
    if (!IsOpen() || quib_->IsUnicode()) {
        return;
    }
    // The backup is the file as the last save left it.
    FinishSaves();
    TDBConverter::MakeBackup(DatabaseName());
    const QString minimum = HeaderValue(*quib_, QStringLiteral("ProgramMinVersion"));
    const bool raise = quib_->CompareVersion(minimum, product::MinUnicodeDatabaseVersion) < 0;
    quib_->SetEncoding(quib::TextEncoding::Utf8);
    if (raise) {
        setMinimumVersion(product::MinUnicodeDatabaseVersion);
    }
    try {
        writeFileNow();
    } catch (...) {
        if (raise) {
            setMinimumVersion(minimum);
        }
        // Every text came from the Central European table: it goes back.
        quib_->SetEncoding(quib::TextEncoding::Windows1250);
        throw;
    }
}

void TContactsSession::setMinimumVersion(const QString& version) {
    const int header = quib_->GetHeaderIndexFromName(QStringLiteral("ProgramMinVersion"));
    if (header < 0) {
        return;
    }
    if (quib_->HeaderTextsCount(header) == 0) {
        quib_->NewHeaderText(header, 0);
    }
    quib_->SetHeaderText(header, 0, version);
}
