#include "sync/u_DatabaseReplica.h"

#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "support/u_OrvFileLib.h"
#include "sync/u_SyncError.h"

#include <QCoreApplication>
#include <QSet>

namespace {

std::unique_ptr<TContactsSession> openSession(const QString& fileName) {
    auto session = std::make_unique<TContactsSession>(RunningVersionText());
    QString refused;
    QObject::connect(session.get(), &TContactsSession::openRefused,
                     [&refused](const QString& message) { refused = message; });
    bool opened = false;
    try {
        opened = session->OpenFile(fileName);
    } catch (const std::exception& e) {
        throw ESyncError(QCoreApplication::translate("TDatabaseReplica",
                                                     "The database \"%1\" could not be opened: %2")
                             .arg(fileName, QString::fromUtf8(e.what())));
    }
    if (!refused.isEmpty()) {
        throw ESyncError(refused);
    }
    if (!opened) {
        throw ESyncError(QCoreApplication::translate("TDatabaseReplica",
                                                     "The database \"%1\" could not be opened.")
                             .arg(fileName));
    }
    session->disconnect();
    return session;
}

}  // namespace

TDatabaseReplica::TDatabaseReplica(TContactsSession& session) : session_(session) {}

TDatabaseReplica::TDatabaseReplica(const QString& fileName)
    : own_(openSession(fileName)), session_(*own_) {}

TDatabaseReplica::~TDatabaseReplica() = default;

void TDatabaseReplica::finishSaves() {
    QString failure;
    const QMetaObject::Connection watch =
        QObject::connect(&session_, &TContactsSession::saveFailed,
                         [&failure](const QString&, const QString& message) { failure = message; });
    session_.FinishSaves();
    QObject::disconnect(watch);
    if (!failure.isEmpty()) {
        throw ESyncError(QCoreApplication::translate("TDatabaseReplica",
                                                     "The database \"%1\" could not be saved: %2")
                             .arg(session_.DatabaseName(), failure));
    }
}

QList<TSyncRecord> TDatabaseReplica::Records() {
    try {
        if (session_.EnsureIdentities()) {
            finishSaves();
        }
    } catch (const ESyncError&) {
        throw;
    } catch (const std::exception& e) {
        throw ESyncError(QString::fromUtf8(e.what()));
    }
    const int rows = session_.Quib1().RowsCount();
    QList<TSyncRecord> records;
    records.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        records << recordAt(row);
    }
    return records;
}

TSyncRecord TDatabaseReplica::recordAt(int row) const {
    TSyncRecord record;
    record.uid = session_.IdentityOf(row);
    record.cells.reserve(ContactSchema::ColumnCount);
    for (int field = 0; field < ContactSchema::ColumnCount; ++field) {
        record.cells << session_.FieldText(row, field);
    }
    return record;
}

QList<TSyncRecord> TDatabaseReplica::RecordsOf(const QStringList& uids) {
    const QSet<QString> wanted(uids.cbegin(), uids.cend());
    QList<TSyncRecord> records;
    const int rows = session_.Quib1().RowsCount();
    for (int row = 0; row < rows && records.size() < wanted.size(); ++row) {
        if (wanted.contains(session_.IdentityOf(row))) {
            records << recordAt(row);
        }
    }
    return records;
}

void TDatabaseReplica::Apply(const TSyncChanges& changes) {
    if (changes.IsEmpty()) {
        return;
    }
    TIdentifiedChanges identified;
    for (const TSyncRecord& record : changes.added) {
        identified.added << TIdentifiedRecord{record.uid, record.cells};
    }
    for (const TSyncRecord& record : changes.changed) {
        identified.changed << TIdentifiedRecord{record.uid, record.cells};
    }
    identified.removed = changes.deleted;
    try {
        session_.ApplyIdentified(identified);
    } catch (const std::exception& e) {
        throw ESyncError(QString::fromUtf8(e.what()));
    }
    finishSaves();
}
