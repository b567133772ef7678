#include "views/u_GridModel.h"

#include <algorithm>
#include <utility>

TGridModel::TGridModel(QObject* parent) : QAbstractTableModel(parent) {
    clear();
}

int TGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
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
    if (!index.isValid() || role != Qt::EditRole || index.row() >= rows_ ||
        index.column() >= columnCount())
        return false;
    const QString text = value.toString();
    if (cell(index.row(), index.column()) == text)
        return true;
    edits_.insert(key(index.row(), index.column()), text);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Horizontal)
        return section < headings_.size() ? QVariant(headings_[section]) : QVariant();
    return section < rows_ ? QVariant(rowNumber(section)) : QVariant();
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void TGridModel::clear() {
    beginResetModel();
    headings_ = QStringList{QString()};
    rows_ = 1;
    reader_ = nullptr;
    edits_.clear();
    endResetModel();
}

void TGridModel::reset(QStringList headings, int rows, TCellReader reader) {
    beginResetModel();
    headings_ = std::move(headings);
    rows_ = std::max(0, rows);
    reader_ = std::move(reader);
    edits_.clear();
    endResetModel();
}

QString TGridModel::cell(int row, int column) const {
    if (row < 0 || row >= rows_ || column < 0 || column >= headings_.size())
        return {};
    const auto edit = edits_.constFind(key(row, column));
    if (edit != edits_.constEnd())
        return *edit;
    return reader_ ? reader_(row, column) : QString();
}

QString TGridModel::rowNumber(int row) const {
    // The empty grid's one row carries no number.
    if (!reader_ || row < 0 || row >= rows_)
        return {};
    return QString::number(row + 1);
}

void TGridModel::appendRow() {
    beginInsertRows({}, rows_, rows_);
    ++rows_;
    endInsertRows();
}

void TGridModel::removeRowKeepingNumbers(int row) {
    if (row < 0 || row >= rows_)
        return;
    // Texts typed below the row would now sit on the wrong record.
    edits_.clear();
    const int last = rows_ - 1;
    beginRemoveRows({}, last, last);
    --rows_;
    endRemoveRows();
    if (row < rows_)
        emit dataChanged(index(row, 0), index(rows_ - 1, columnCount() - 1));
}

void TGridModel::forgetEdit(int row, int column) {
    edits_.remove(key(row, column));
}
