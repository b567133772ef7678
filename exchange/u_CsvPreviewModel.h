#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The first records of a comma-separated file as the import would store
// them: a row per record and a column per contact field the mapping fills,
// in program order, headed by the field's title.
class TCsvPreviewModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    // fieldTitles: the titles of the program fields, in program order.
    explicit TCsvPreviewModel(QStringList fieldTitles, QObject* parent = nullptr);

    // The records to show, each as the fields read from the file.
    void SetRecords(QList<QStringList> records);
    // The mapping: entry i is the program field that field i fills, or -1.
    void SetMapping(QList<int> mapping);

    // The program fields shown, in column order.
    const QList<int>& Fields() const noexcept { return fields_; }
    // The cells of a record as they would be stored, in program order.
    const QStringList& Contact(int row) const { return contacts_.at(row); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    void rebuild();

    QStringList titles_;
    QList<QStringList> records_;
    QList<int> mapping_;
    QList<int> fields_;
    QList<QStringList> contacts_;
};
