#include "sync/u_DatabaseReplica.h"

#include "app/QUIBLib_TLB.h"
#include "exchange/u_SourceDBCheck.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"
#include "support/u_OrvFileLib.h"
#include "sync/u_SyncError.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QUuid>

#include <algorithm>

namespace {

QString newUid() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

}  // namespace

TDatabaseReplica::TDatabaseReplica(const QString& fileName) : fileName_(fileName) {
    open();
}

TDatabaseReplica::~TDatabaseReplica() = default;

void TDatabaseReplica::open() {
    quib_ = std::make_unique<TQuib>();
    try {
        quib_->SetDatabaseName(fileName_);
        if (!quib_->Open()) {
            throw ESyncError(QCoreApplication::translate("TDatabaseReplica",
                                                         "The database \"%1\" could not be opened.")
                                 .arg(fileName_));
        }
    } catch (const EQuibError& e) {
        throw ESyncError(QCoreApplication::translate("TDatabaseReplica",
                                                     "The database \"%1\" could not be opened: %2")
                             .arg(fileName_, QString::fromUtf8(e.what())));
    }
    const TSourceDBCheck check = CheckSourceDatabase(*quib_, RunningVersionText());
    if (!check.accepted) {
        throw ESyncError(check.error);
    }
    if (quib_->FilterActive()) {
        quib_->SetFilterActive(false);  // every contact syncs, not only the filtered ones
    }
    const QStringList columns = DatabaseColumns(*quib_);
    columns_ = MatchColumns(columns, ContactSchema::ColumnNames()).fromProgram;
    const qsizetype uid = columns.indexOf(QLatin1String(kUidColumn));
    uidColumn_ = uid < 0 ? kMissingColumn : static_cast<int>(uid);
}

void TDatabaseReplica::save() {
    try {
        if (quib_->Save()) {
            return;
        }
    } catch (const EQuibError& e) {
        open();  // back to what the file holds
        throw ESyncError(QCoreApplication::translate("TDatabaseReplica",
                                                     "The database \"%1\" could not be saved: %2")
                             .arg(fileName_, QString::fromUtf8(e.what())));
    }
    open();
    throw ESyncError(
        QCoreApplication::translate("TDatabaseReplica", "The database \"%1\" could not be saved.")
            .arg(fileName_));
}

void TDatabaseReplica::ensureUids() {
    bool changed = false;
    if (uidColumn_ == kMissingColumn) {
        const int header = quib_->GetHeaderIndexFromName(QStringLiteral("DBColsName"));
        const int column = quib_->HeaderTextsCount(header);
        if (header < 0 || !quib_->NewCol(column) || !quib_->NewHeaderText(header, column) ||
            !quib_->SetHeaderText(header, column, QLatin1String(kUidColumn))) {
            open();
            throw ESyncError(
                QCoreApplication::translate(
                    "TDatabaseReplica",
                    "The database \"%1\" could not get a column for the contacts' UIDs.")
                    .arg(fileName_));
        }
        uidColumn_ = column;
        changed = true;
    }
    // A copied row shares its UID with the original: it gets one of its own.
    QSet<QString> seen;
    for (int row = 0; row < quib_->RowsCount(); ++row) {
        const QString uid = quib_->GetData(row, uidColumn_).trimmed();
        if (uid.isEmpty() || seen.contains(uid)) {
            const QString fresh = newUid();
            quib_->SetData(row, uidColumn_, fresh);
            seen.insert(fresh);
            changed = true;
        } else {
            seen.insert(uid);
        }
    }
    if (changed) {
        save();
    }
}

QList<TSyncRecord> TDatabaseReplica::Records() {
    ensureUids();
    QList<TSyncRecord> records;
    records.reserve(quib_->RowsCount());
    for (int row = 0; row < quib_->RowsCount(); ++row) {
        TSyncRecord record;
        record.uid = quib_->GetData(row, uidColumn_).trimmed();
        record.cells.reserve(ContactSchema::ColumnCount);
        for (int field = 0; field < ContactSchema::ColumnCount; ++field) {
            const int c = columns_[field];
            record.cells << (c == kMissingColumn ? QString() : quib_->GetData(row, c));
        }
        records << std::move(record);
    }
    return records;
}

void TDatabaseReplica::setCells(int row, const QStringList& cells) {
    for (int field = 0; field < ContactSchema::ColumnCount; ++field) {
        if (!columns_.isMissing(field)) {
            quib_->SetData(row, columns_[field], cells.value(field));
        }
    }
}

void TDatabaseReplica::Apply(const TSyncChanges& changes) {
    if (changes.IsEmpty()) {
        return;
    }
    ensureUids();
    try {
        QHash<QString, int> rows;
        for (int row = 0; row < quib_->RowsCount(); ++row) {
            rows.insert(quib_->GetData(row, uidColumn_).trimmed(), row);
        }
        for (const TSyncRecord& record : changes.changed) {
            const auto found = rows.constFind(record.uid);
            if (found != rows.constEnd()) {
                setCells(*found, record.cells);
            }
        }
        QList<int> doomed;
        for (const QString& uid : changes.deleted) {
            const auto found = rows.constFind(uid);
            if (found != rows.constEnd()) {
                doomed << *found;
            }
        }
        std::sort(doomed.begin(), doomed.end(), std::greater<>());
        for (const int row : doomed) {
            if (!quib_->DeleteRow(row)) {
                throw ESyncError(QCoreApplication::translate(
                    "TDatabaseReplica", "A contact could not be deleted from the database."));
            }
        }
        for (const TSyncRecord& record : changes.added) {
            const int row = quib_->RowsCount();
            if (!quib_->NewRow(row) || quib_->RowsCount() != row + 1) {
                throw ESyncError(QCoreApplication::translate(
                    "TDatabaseReplica", "A new row could not be appended to the database."));
            }
            quib_->SetData(row, uidColumn_, record.uid);
            setCells(row, record.cells);
        }
    } catch (const ESyncError&) {
        open();
        throw;
    } catch (const EQuibError& e) {
        open();
        throw ESyncError(QString::fromUtf8(e.what()));
    }
    save();
}
