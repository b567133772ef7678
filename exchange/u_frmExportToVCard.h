#pragma once

#include "exchange/u_VCardWriter.h"
#include "session/u_ColumnMap.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class QLineEdit;
class QRadioButton;
class TQuibReader;

// Writes contacts of the open database to a vCard file: all records, or the
// records of the find-by-query result shown in the table view, as version
// 4.0 or 3.0.
class TfrmExportToVCard : public QDialog {
    Q_OBJECT

  public:
    // quib: the main window's database; colsIndexFromProgram: its column map.
    // queryRows: the database rows of the query result on show (none when no
    // result is shown, which leaves only "All records").
    TfrmExportToVCard(const TQuibReader& quib, const TColumnMap& colsIndexFromProgram,
                      const QList<int>& queryRows, QWidget* parent = nullptr);

    // The database column of the records' identities, written as each
    // card's UID (none written without it).
    void SetIdentityColumn(int column) { identityColumn_ = column; }

    TVCardVersion Version() const;
    // The rows to write; empty for every record.
    QList<int> ChosenRows() const;

    // The usual destination: the database's name with the extension ".vcf".
    static QString DefaultFileName(const QString& databaseName);

  public slots:
    void cmdBrowseClick();
    void cmdOKClick();

  private:
    QString runDestinationChooser(const QString& preset);

    const TQuibReader& quib_;
    TColumnMap colsIndexFromProgram_;
    QList<int> queryRows_;
    int identityColumn_ = kMissingColumn;
    QRadioButton* rbAllRecords_;
    QRadioButton* rbQueryResult_;
    QRadioButton* rbVersion40_;
    QRadioButton* rbVersion30_;
    QLineEdit* txtFileName_;
};
