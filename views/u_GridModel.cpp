#include "views/u_GridModel.h"

#include "session/QUIBLib_TLB.h"

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
    if (source_)
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

void TGridModel::resetToRecords(const TQuib& quib, QStringList headings, QVector<int> columns,
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

void TGridModel::appendRow(const QString& number) {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    if (source_) {
        bool ok = false;
        const int n = number.toInt(&ok);
        records_.append(ok ? n - 1 : -1);
    } else {
        rowNumbers_.append(number);
        QStringList empty;
        empty.reserve(headings_.size());
        for (qsizetype c = 0; c < headings_.size(); ++c)
            empty.append(QString());
        cells_.append(empty);
    }
    endInsertRows();
}

void TGridModel::removeRowKeepingNumbers(int row) {
    if (source_) {
        // Only a grid of the whole table keeps its numbers in place.
        if (row >= 0 && row < records_.size())
            removeRecord(records_[row]);
        return;
    }
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

void TGridModel::removeRecord(int record) {
    const int row = rowOfRecord(record);
    if (row < 0)
        return;
    if (!source_) {
        // Numbers follow positions here, so the gap closes as in the table.
        removeRowKeepingNumbers(row);
        return;
    }
    beginRemoveRows({}, row, row);
    records_.removeAt(row);
    endRemoveRows();
    // The database rows after the deleted one moved up by one; typed texts
    // are dropped, the database now holds every stored one.
    typed_.clear();
    for (int& r : records_) {
        if (r > record)
            --r;
    }
    if (!records_.isEmpty())
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    if (row < rowCount())
        emit dataChanged(index(row, 0), index(rowCount() - 1, columnCount() - 1));
}

int TGridModel::rowOfRecord(int record) const {
    if (source_)
        return static_cast<int>(records_.indexOf(record));
    const QString number = QString::number(record + 1);
    return static_cast<int>(rowNumbers_.indexOf(number));
}
