#include "exchange/u_CsvPreviewModel.h"

#include "exchange/u_ContactFields.h"
#include "exchange/u_ImportMapping.h"
#include "session/u_ContactSchema.h"

#include <QSet>

#include <algorithm>

namespace {

// A cell shows its start on one line; the tip holds more of it.
constexpr qsizetype kCellLimit = 200;
constexpr qsizetype kTipLimit = 2000;

QString shortened(const QString& text, qsizetype limit) {
    return text.size() > limit ? text.left(limit) + u'\u2026' : text;
}

QSet<int> multiLineFields() {
    QSet<int> fields;
    for (int field = 0; field < ContactSchema::ColumnCount; ++field) {
        if (ContactFields::IsMultiLine(field)) {
            fields << field;
        }
    }
    return fields;
}

}  // namespace

TCsvPreviewModel::TCsvPreviewModel(QStringList fieldTitles, QObject* parent)
    : QAbstractTableModel(parent), titles_(std::move(fieldTitles)) {}

void TCsvPreviewModel::SetRecords(QList<QStringList> records) {
    records_ = std::move(records);
    rebuild();
}

void TCsvPreviewModel::SetMapping(QList<int> mapping) {
    mapping_ = std::move(mapping);
    rebuild();
}

void TCsvPreviewModel::rebuild() {
    beginResetModel();
    QList<int> fields;
    for (const int field : mapping_) {
        if (field >= 0 && field < ContactSchema::ColumnCount && !fields.contains(field)) {
            fields << field;
        }
    }
    std::sort(fields.begin(), fields.end());
    fields_ = fields;
    const TFieldRouting routing(mapping_, multiLineFields());
    contacts_.clear();
    for (const QStringList& record : records_) {
        QStringList contact(ContactSchema::ColumnCount);
        for (const auto& [field, value] : routing.Route(record)) {
            if (field < ContactSchema::ColumnCount) {
                contact[field] = value;
            }
        }
        contacts_ << contact;
    }
    endResetModel();
}

int TCsvPreviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(contacts_.size());
}

int TCsvPreviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fields_.size());
}

QVariant TCsvPreviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= contacts_.size() || index.column() >= fields_.size()) {
        return {};
    }
    const QString& value = contacts_[index.row()][fields_[index.column()]];
    if (role == Qt::DisplayRole) {
        // The lines of a multi-line field side by side, marked as such.
        return shortened(value, kCellLimit).replace(u'\n', QStringLiteral(" \u21b5 "));
    }
    if (role == Qt::ToolTipRole && value.contains(u'\n')) {
        return shortened(value, kTipLimit);
    }
    return {};
}

QVariant TCsvPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    if (section < 0 || section >= fields_.size()) {
        return {};
    }
    return titles_.value(fields_[section]);
}
