#pragma once

#include "session/u_ColumnMap.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

class TQuibReader;

namespace Ui {
class TfrmExportToCSV;
}

// Writes the contacts of the open database to a comma-separated file with
// the columns the user ticks.
class TfrmExportToCSV : public QDialog {
    Q_OBJECT

  public:
    // quib: the main window's database; the lists are the card's column
    // catalogue (names, full titles, program column -> database column).
    TfrmExportToCSV(const TQuibReader& quib, const QStringList& colsName,
                    const QStringList& colsTitleFull, const TColumnMap& colsIndexFromProgram,
                    QWidget* parent = nullptr);
    ~TfrmExportToCSV() override;

    QList<bool> TickedColumns() const;

    // What the header line names the columns by: their names, which this
    // program reads back, or their titles in the current language, which
    // people read. The entries of cboHeader, in order.
    enum class THeader { Names, Titles };
    THeader Header() const;
    // The encoding of the file, the entries of cboEncoding in order: UTF-8
    // (with a byte-order mark; the default for a Unicode database) or
    // Windows-1250 (the default for a Central European one).
    enum class TEncoding { Utf8, Windows1250 };
    TEncoding Encoding() const;

  public slots:
    void cmdBrowseClick();
    void cmdOKClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    QString runDestinationChooser(const QString& preset);

    std::unique_ptr<Ui::TfrmExportToCSV> ui;
    const TQuibReader& quib_;
    QStringList colsName_;
    QStringList colsTitleFull_;
    TColumnMap colsIndexFromProgram_;
};
