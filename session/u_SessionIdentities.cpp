// The identities of the records (see kIdentityColumn): the part of the
// session that keeps them and applies changes found by them.

#include "session/u_ContactsSession.h"

#include "session/QUIBLib_TLB.h"
#include "session/u_ChangeScope.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QUuid>

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace {

QString newIdentity() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

}  // namespace

void TContactsSession::findIdentityColumn() {
    const auto column = DatabaseColumns(*quib_).indexOf(QLatin1String(kIdentityColumn));
    identityColumn_ = column < 0 ? kMissingColumn : static_cast<int>(column);
}

QString TContactsSession::IdentityOf(int record) const {
    if (identityColumn_ < 0 || record < 0 || record >= quib_->RowsCount()) {
        return QString();
    }
    return quib_->GetData(record, identityColumn_).trimmed();
}

TRowEditor::TRowTexts TContactsSession::withIdentities(TRowEditor::TRowTexts rowTexts) const {
    const int column = identityColumn_;
    if (column < 0) {
        return rowTexts;
    }
    const int columns = quib_->ColsCount();
    return [rowTexts = std::move(rowTexts), column, columns](int i) {
        QStringList texts = rowTexts(i);
        while (texts.size() < columns) {
            texts << QString();
        }
        if (texts[column].trimmed().isEmpty()) {
            texts[column] = newIdentity();
        }
        return texts;
    };
}

TRowEditor::TRowCells TContactsSession::withIdentities(TRowEditor::TRowCells rowCells) const {
    const int column = identityColumn_;
    if (column < 0) {
        return rowCells;
    }
    return [rowCells = std::move(rowCells), column](int i, std::vector<std::string>& cells) {
        rowCells(i, cells);
        std::string& identity = cells.at(static_cast<std::size_t>(column));
        if (QByteArrayView(identity).trimmed().isEmpty()) {
            identity = newIdentity().toStdString();
        }
    };
}

void TContactsSession::addIdentityColumn() {
    const int header = quib_->GetHeaderIndexFromName(QStringLiteral("DBColsName"));
    const int column = quib_->ColsCount();
    if (header < 0 || !quib_->NewCol(column) ||
        !quib_->NewHeaderText(header, quib_->HeaderTextsCount(header)) ||
        !quib_->SetHeaderText(header, quib_->HeaderTextsCount(header) - 1,
                              QLatin1String(kIdentityColumn))) {
        throw std::runtime_error(
            QCoreApplication::translate(
                "TContactsSession",
                "The database could not get a column for the contacts' identities.")
                .toStdString());
    }
    columns_.lstDBColsIndexFromDB.append(kMissingColumn);
    identityColumn_ = column;
}

bool TContactsSession::EnsureIdentities() {
    if (!IsOpen()) {
        return false;
    }
    bool changed = false;
    if (identityColumn_ < 0) {
        addIdentityColumn();
        changed = true;
    }
    // A record copied outside the program shares its identity with the
    // original: the later one gets one of its own.
    QSet<QString> seen;
    for (int row = 0; row < quib_->RowsCount(); ++row) {
        const QString identity = IdentityOf(row);
        if (identity.isEmpty() || seen.contains(identity)) {
            const QString fresh = newIdentity();
            quib_->SetData(row, identityColumn_, fresh);
            seen.insert(fresh);
            changed = true;
        } else {
            seen.insert(identity);
        }
    }
    if (changed) {
        writeFile();
    }
    return changed;
}

void TContactsSession::ApplyIdentified(const TIdentifiedChanges& changes) {
    if (changes.IsEmpty() || !IsOpen()) {
        return;
    }
    EnsureIdentities();
    QHash<QString, int> rows;
    for (int row = 0; row < quib_->RowsCount(); ++row) {
        rows.insert(IdentityOf(row), row);
    }
    const TChangeScope scope(changing_, movedWhileChanging_);
    TChangeStep step;
    step.name = {TStepKind::Sync, -1, changes.Count()};
    step.undoCursor = quib_->RowIndex();
    QVector<TRecordChange> announced;
    try {
        TRowEditor editor(*quib_);
        for (const TIdentifiedRecord& record : changes.changed) {
            const auto found = rows.constFind(record.identity);
            if (found == rows.constEnd()) {
                continue;
            }
            const QStringList after = withFields(record.fields, editor.ReadRow(*found));
            step.edits.push_back(
                storeRows({TRowEdit::Kind::Replace, *found, 1, [&](int) { return after; }}));
            announced << TRecordChange::Cells(*found);
        }
        QList<int> doomed;
        for (const QString& identity : changes.removed) {
            const auto found = rows.constFind(identity);
            if (found != rows.constEnd()) {
                doomed << *found;
            }
        }
        // From the last, so that the numbers of the others hold.
        std::sort(doomed.begin(), doomed.end(), std::greater<>());
        doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
        for (const int row : doomed) {
            step.edits.push_back(editor.Remove(row, 1));
            announced << TRecordChange::Removed(row, 1);
        }
        const int first = quib_->RowsCount();
        const auto count = static_cast<int>(changes.added.size());
        if (count > 0) {
            const QStringList empty(quib_->ColsCount());
            const int column = identityColumn_;
            const auto texts = [&](int i) {
                const TIdentifiedRecord& record = changes.added[i];
                QStringList row = withFields(record.fields, empty);
                row[column] = record.identity;
                return row;
            };
            step.edits.push_back(storeRows({TRowEdit::Kind::Insert, first, count, texts}));
            announced << TRecordChange::Inserted(first, count);
        }
    } catch (...) {
        // What was changed so far is taken back: the step is all or nothing.
        revert(step, true);
        keepCursorOnARecord();
        changing_ = false;
        movedWhileChanging_ = false;
        throw;
    }
    if (step.edits.empty()) {
        return;
    }
    keepCursorOnARecord();
    step.redoCursor = quib_->RowIndex();
    undo_.Push(std::move(step));
    writeFile();
    announce(announced);
}
