#include "views/u_GridModel.h"

#include "session/u_QuibReader.h"
#include "session/u_RecordChange.h"

#include <utility>

TGridModel::TGridModel(QObject* parent) : QAbstractTableModel(parent) {}

int TGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return static_cast<int>(source_ ? records_.size() : rowNumbers_.size());
}

int TGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant TGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cell(index.row(), index.column());
}

bool TGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.row() >= rowCount() ||
        index.column() >= columnCount())
        return false;
    const QString text = value.toString();
    if (cell(index.row(), index.column()) == text)
        return true;
    if (source_ && columns_.value(index.column(), -1) >= 0) {
        emit cellEdited(records_[index.row()], index.column(), text);
    } else if (source_)
        typed_.insert(TypedKey(records_[index.row()], index.column()), text);
    else if (index.column() < cells_[index.row()].size())
        cells_[index.row()][index.column()] = text;
    else
        return false;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Vertical)
        return section < rowCount() ? QVariant(rowNumber(section)) : QVariant();
    return section < headings_.size() ? QVariant(headings_[section]) : QVariant();
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void TGridModel::reset(QStringList headings, QStringList rowNumbers, QVector<QStringList> cells) {
    beginResetModel();
    source_ = nullptr;
    columns_.clear();
    records_.clear();
    typed_.clear();
    headings_ = std::move(headings);
    rowNumbers_ = std::move(rowNumbers);
    cells_ = std::move(cells);
    endResetModel();
}

void TGridModel::resetToRecords(const TQuibReader& quib, QStringList headings, QVector<int> columns,
                                QVector<int> records) {
    beginResetModel();
    rowNumbers_.clear();
    cells_.clear();
    typed_.clear();
    source_ = &quib;
    headings_ = std::move(headings);
    columns_ = std::move(columns);
    records_ = std::move(records);
    endResetModel();
}

QString TGridModel::cell(int row, int column) const {
    if (source_) {
        if (row < 0 || row >= records_.size() || column < 0 || column >= headings_.size())
            return {};
        const auto typed = typed_.constFind(TypedKey(records_[row], column));
        if (typed != typed_.constEnd())
            return typed.value();
        const int col = columns_.value(column, -1);
        // Row -1 would read the control's current row.
        return col < 0 || records_[row] < 0 ? QString() : source_->GetData(records_[row], col);
    }
    if (row < 0 || row >= cells_.size() || column < 0 || column >= cells_[row].size())
        return {};
    return cells_[row][column];
}

QString TGridModel::rowNumber(int row) const {
    if (source_)
        return row >= 0 && row < records_.size() ? QString::number(records_[row] + 1) : QString();
    return row >= 0 && row < rowNumbers_.size() ? rowNumbers_[row] : QString();
}

void TGridModel::followChange(const TRecordChange& change) {
    if (!source_)
        return;
    if (change.kind == TRecordChange::Kind::Cells) {
        for (int record = change.first; record < change.first + change.count; ++record) {
            const int row = rowOfRecord(record);
            if (row >= 0)
                emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        }
        return;
    }
    beginResetModel();
    FollowRecordChange(records_, change);
    // Typed texts belong to record numbers that may have moved.
    typed_.clear();
    endResetModel();
}

int TGridModel::rowOfRecord(int record) const {
    if (source_)
        return static_cast<int>(records_.indexOf(record));
    const QString number = QString::number(record + 1);
    return static_cast<int>(rowNumbers_.indexOf(number));
}
