#include "views/u_GridModel.h"

#include <utility>

TGridModel::TGridModel(QObject* parent) : QAbstractTableModel(parent) {}

int TGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rowNumbers_.size());
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
    if (!index.isValid() || role != Qt::EditRole || index.row() >= cells_.size())
        return false;
    QStringList& row = cells_[index.row()];
    if (index.column() >= row.size())
        return false;
    const QString text = value.toString();
    if (row[index.column()] == text)
        return true;
    row[index.column()] = text;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0)
        return {};
    const QStringList& texts = orientation == Qt::Horizontal ? headings_ : rowNumbers_;
    return section < texts.size() ? QVariant(texts[section]) : QVariant();
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void TGridModel::reset(QStringList headings, QStringList rowNumbers, QVector<QStringList> cells) {
    beginResetModel();
    headings_ = std::move(headings);
    rowNumbers_ = std::move(rowNumbers);
    cells_ = std::move(cells);
    endResetModel();
}

QString TGridModel::cell(int row, int column) const {
    if (row < 0 || row >= cells_.size() || column < 0 || column >= cells_[row].size())
        return {};
    return cells_[row][column];
}

QString TGridModel::rowNumber(int row) const {
    return row >= 0 && row < rowNumbers_.size() ? rowNumbers_[row] : QString();
}

void TGridModel::appendRow(const QString& number) {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    rowNumbers_.append(number);
    QStringList empty;
    empty.reserve(headings_.size());
    for (qsizetype c = 0; c < headings_.size(); ++c)
        empty.append(QString());
    cells_.append(empty);
    endInsertRows();
}

void TGridModel::removeRowKeepingNumbers(int row) {
    if (row < 0 || row >= cells_.size())
        return;
    const int last = rowCount() - 1;
    // The cells move up by one; the numbers stay, so the last number goes.
    beginRemoveRows({}, last, last);
    cells_.removeAt(row);
    rowNumbers_.removeLast();
    endRemoveRows();
    if (row < rowCount())
        emit dataChanged(index(row, 0), index(rowCount() - 1, columnCount() - 1));
}
