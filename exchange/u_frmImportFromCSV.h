#pragma once

#include "exchange/u_CsvImporter.h"
#include "exchange/u_ImportMapping.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>

class TContactsSession;

namespace Ui {
class TfrmImportFromCSV;
}

// Appends the records of a comma-separated file to the open database through
// an ordered mapping of the file's fields to contact columns; the session
// stores them as one step that can be undone.
class TfrmImportFromCSV : public QDialog {
    Q_OBJECT

  public:
    // session: the open database; colsTitleFull: the card's full column titles.
    TfrmImportFromCSV(TContactsSession& session, const QStringList& colsTitleFull,
                      QWidget* parent = nullptr);
    ~TfrmImportFromCSV() override;

    // The mapping's target program columns ("-1": not imported), in step
    // with the entries of lstDBColumns.
    const QStringList& lstDBColumnsHidden() const { return mapping_.Targets(); }

  public slots:
    void cmdBrowseClick();
    void cmdAddClick();
    void cmdAddAllClick();
    void cmdFirstClick();
    void cmdPreviousClick();
    void cmdNextClick();
    void cmdLastClick();
    void cmdDeleteClick();
    void cmdDeleteAllClick();
    void cmdOKClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    QString runSourceChooser(const QString& preset);
    // Lists the fields of the file's first record, noting when it has more.
    void showFirstRecord(const TCsvImporter::TFirstRecord& first);
    int selectedEntry() const;
    // Shows the mapping in lstDBColumns with entry selection selected.
    void showMapping(int selection);

    std::unique_ptr<Ui::TfrmImportFromCSV> ui;
    TContactsSession& session_;
    QStringList colsTitleFull_;
    TImportMapping mapping_;
};
