// The session's operations that bring many records at once or join them:
// imports (with the records they update) and merges of one person's records.

#include "session/u_ContactsSession.h"

#include "session/QUIBLib_TLB.h"
#include "session/u_ChangeScope.h"
#include "session/u_ContactSchema.h"

#include <QSet>

#include <algorithm>
#include <functional>

QStringList TContactsSession::broughtIdentities(const TRecordBatch& batch) {
    QStringList brought(batch.RowCount());
    bool any = false;
    for (int i = 0; i < batch.RowCount(); ++i) {
        batch.ForEachUtf8(i, [&](int index, std::string_view text) {
            if (index == ContactSchema::ColumnCount) {
                brought[i] =
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
                any = any || !brought[i].isEmpty();
            }
        });
    }
    if (!any) {
        return {};
    }
    EnsureIdentities();
    QSet<QString> taken;
    for (int row = 0; row < quib_->RowsCount(); ++row) {
        taken.insert(IdentityOf(row));
    }
    for (QString& identity : brought) {
        // A card imported twice, or once more after its contact stayed in the
        // database, would share an identity: it gets a new one.
        if (taken.contains(identity)) {
            identity.clear();
        } else if (!identity.isEmpty()) {
            taken.insert(identity);
        }
    }
    return brought;
}

TContactsSession::TRowsIn TContactsSession::importedRows(const TRecordBatch& batch,
                                                         const QStringList& identities) const {
    const int first = quib_->RowsCount();
    const int count = batch.RowCount();
    const int identityColumn = identityColumn_;
    if (quib_->IsUnicode()) {
        // The batch's UTF-8 goes in as it is.
        std::vector<int> columnOfField(ContactSchema::ColumnCount);
        for (int field = 0; field < ContactSchema::ColumnCount; ++field) {
            const int column = ColumnOfField(field);
            columnOfField[static_cast<std::size_t>(field)] =
                column < quib_->ColsCount() ? column : kMissingColumn;
        }
        TRowsIn rows{TRowEdit::Kind::Insert, first, count, {}};
        rows.cells = [&batch, &identities, identityColumn,
                      columnOfField = std::move(columnOfField)](int i,
                                                                std::vector<std::string>& cells) {
            batch.ForEachUtf8(i, [&](int field, std::string_view text) {
                const int column = field < ContactSchema::ColumnCount
                                       ? columnOfField[static_cast<std::size_t>(field)]
                                       : kMissingColumn;
                if (column >= 0) {
                    cells[static_cast<std::size_t>(column)].assign(text);
                }
            });
            if (!identities.isEmpty() && identityColumn >= 0) {
                cells[static_cast<std::size_t>(identityColumn)] = identities[i].toStdString();
            }
        };
        return rows;
    }
    const QStringList empty(quib_->ColsCount());
    return {TRowEdit::Kind::Insert, first, count,
            [&batch, &identities, identityColumn, empty, this](int i) {
                QStringList texts = withFields(batch.Row(i, ContactSchema::ColumnCount), empty);
                if (!identities.isEmpty() && identityColumn >= 0) {
                    texts[identityColumn] = identities[i];
                }
                return texts;
            }};
}

int TContactsSession::ImportRecords(const TRecordBatch& batch, const TImportStep& step,
                                    const TRecordUpdates& updated) {
    const int count = batch.RowCount();
    if (count == 0 && updated.isEmpty()) {
        return 0;
    }
    const QStringList identities = broughtIdentities(batch);
    const TChangeScope scope(changing_, movedWhileChanging_);
    const int first = quib_->RowsCount();
    TChangeStep change;
    change.name = {TStepKind::Import, -1, count + static_cast<int>(updated.size())};
    change.undoCursor = quib_->RowIndex();
    TRowsIn records = importedRows(batch, identities);
    const auto appended = [&](int made) {
        if (step) {
            step(made, count);
        }
    };
    QVector<TRecordChange> announced;
    try {
        // Appended first: a cancel while appending has nothing else to undo.
        if (count > 0) {
            records.afterRow = appended;
            change.edits.push_back(storeRows(records));
            announced << TRecordChange::Inserted(first, count);
        }
        TRowEditor editor(*quib_);
        for (const auto& [row, fields] : updated) {
            if (row < 0 || row >= first) {
                continue;
            }
            const QStringList after = withFields(fields, editor.ReadRow(row));
            change.edits.push_back(
                storeRows({TRowEdit::Kind::Replace, row, 1, [&](int) { return after; }}));
            announced << TRecordChange::Cells(row);
        }
    } catch (...) {
        revert(change, true);
        keepCursorOnARecord();
        throw;
    }
    if (change.edits.empty()) {
        return 0;
    }
    keepCursorOnARecord();
    change.redoCursor = quib_->RowIndex();
    undo_.Push(std::move(change));
    writeFile();
    announce(announced);
    return count;
}

bool TContactsSession::MergeRecords(int kept, const QStringList& fields, const QList<int>& others) {
    const int rows = quib_->RowsCount();
    const auto exists = [rows](int record) { return record >= 0 && record < rows; };
    if (!exists(kept) || others.isEmpty() || others.contains(kept) ||
        !std::all_of(others.begin(), others.end(), exists)) {
        return false;
    }
    QList<int> doomed = others;
    // From the last, so that the numbers of the others hold.
    std::sort(doomed.begin(), doomed.end(), std::greater<>());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    const TChangeScope scope(changing_, movedWhileChanging_);
    TChangeStep step;
    step.name = {TStepKind::Merge, -1, static_cast<int>(doomed.size()) + 1};
    // Undone, the kept record is shown as it was.
    step.undoCursor = kept;
    QVector<TRecordChange> announced;
    try {
        TRowEditor editor(*quib_);
        const QStringList after = withFields(fields, editor.ReadRow(kept));
        step.edits.push_back(
            storeRows({TRowEdit::Kind::Replace, kept, 1, [&](int) { return after; }}));
        announced << TRecordChange::Cells(kept);
        for (const int row : doomed) {
            step.edits.push_back(editor.Remove(row, 1));
            announced << TRecordChange::Removed(row, 1);
        }
    } catch (...) {
        revert(step, true);
        keepCursorOnARecord();
        throw;
    }
    const auto before =
        std::count_if(doomed.begin(), doomed.end(), [kept](int row) { return row < kept; });
    quib_->MoveTo(kept - static_cast<int>(before));
    step.redoCursor = quib_->RowIndex();
    undo_.Push(std::move(step));
    writeFile();
    announce(announced);
    return true;
}
