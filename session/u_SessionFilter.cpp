// The moves of the session's cursor and its find-as-you-type filter: which
// records the card and the table show, and the moves among them.
#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "session/u_RecordFilter.h"

#include <algorithm>
#include <numeric>

bool TContactsSession::moveCursor(TShownMove shown, bool (TQuib::*move)()) {
    if (IsFiltered()) {
        return moveAmongShown(shown);
    }
    const bool moved = ((*quib_).*move)();
    quib_->RefreshData();
    return moved;
}

bool TContactsSession::MoveFirst() {
    return moveCursor(TShownMove::First, &TQuib::MoveFirst);
}

bool TContactsSession::MovePrevious() {
    return moveCursor(TShownMove::Previous, &TQuib::MovePrevious);
}

bool TContactsSession::MoveNext() {
    return moveCursor(TShownMove::Next, &TQuib::MoveNext);
}

bool TContactsSession::MoveLast() {
    return moveCursor(TShownMove::Last, &TQuib::MoveLast);
}

bool TContactsSession::MoveTo(int record) {
    const bool moved = quib_->MoveTo(record);
    quib_->RefreshData();
    return moved;
}

TRecordFilter& TContactsSession::filter() {
    if (!filter_) {
        QVector<int> columns;
        for (int field = 0; field < ContactSchema::ColumnCount; ++field) {
            columns << ColumnOfField(field);
        }
        filter_ = std::make_unique<TRecordFilter>(std::move(columns));
    }
    return *filter_;
}

bool TContactsSession::IsFiltered() const {
    return filter_ && filter_->IsActive();
}

QString TContactsSession::FilterText() const {
    return filter_ ? filter_->Text() : QString();
}

QVector<int> TContactsSession::ShownRecords() const {
    if (IsFiltered()) {
        return filter_->Records();
    }
    QVector<int> records(IsOpen() ? quib_->RowsCount() : 0);
    std::iota(records.begin(), records.end(), 0);
    return records;
}

void TContactsSession::PrepareFilter() {
    if (IsOpen()) {
        filter().Prepare(*quib_);
    }
}

void TContactsSession::SetFilterText(const QString& text) {
    if (!IsOpen()) {
        return;
    }
    const bool wasFiltered = IsFiltered();
    filter().SetText(text, *quib_);
    if (!wasFiltered && !IsFiltered()) {
        return;
    }
    const QVector<int>& shown = filter_->Records();
    if (IsFiltered() && !shown.isEmpty() &&
        !std::binary_search(shown.begin(), shown.end(), quib_->RowIndex())) {
        quib_->MoveTo(shown.front());
    }
    emit filterChanged();
    quib_->RefreshData();
}

void TContactsSession::setFilterOff() {
    const bool wasFiltered = IsFiltered();
    filter_.reset();
    if (wasFiltered) {
        emit filterChanged();
    }
}

bool TContactsSession::moveAmongShown(TShownMove move) {
    const QVector<int>& shown = filter_->Records();
    if (shown.isEmpty()) {
        return false;
    }
    const int current = quib_->RowIndex();
    int target = -1;
    switch (move) {
        case TShownMove::First:
            target = shown.front();
            break;
        case TShownMove::Last:
            target = shown.back();
            break;
        case TShownMove::Next: {
            const auto at = std::upper_bound(shown.begin(), shown.end(), current);
            target = at == shown.end() ? -1 : *at;
            break;
        }
        case TShownMove::Previous: {
            const auto at = std::lower_bound(shown.begin(), shown.end(), current);
            target = at == shown.begin() ? -1 : *(at - 1);
            break;
        }
    }
    const bool moved = target >= 0 && target != current && quib_->MoveTo(target);
    quib_->RefreshData();
    return moved;
}

void TContactsSession::followInFilter(const QVector<TRecordChange>& changes) {
    if (!filter_) {
        return;
    }
    for (const TRecordChange& change : changes) {
        filter_->FollowChange(change);
    }
    if (!filter_->IsActive()) {
        return;
    }
    const QVector<int>& shown = filter_->Records();
    const int current = quib_->RowIndex();
    if (shown.isEmpty() || std::binary_search(shown.begin(), shown.end(), current)) {
        return;
    }
    // The record after the one that went, as without a filter.
    const auto at = std::lower_bound(shown.begin(), shown.end(), current);
    quib_->MoveTo(at == shown.end() ? shown.back() : *at);
}
