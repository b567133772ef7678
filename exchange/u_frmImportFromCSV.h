#pragma once

#include "exchange/u_CsvImporter.h"
#include "exchange/u_ImportMapping.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>

class TContactsSession;
class TCsvPreviewModel;

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
    // The first records as the import would store them.
    const TCsvPreviewModel& Preview() const { return *preview_; }

    // How many records the preview shows at most.
    static constexpr int kPreviewRecords = 20;

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
    void cmdMapByNamesClick();
    void cmdOKClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    QString runSourceChooser(const QString& preset);
    // Lists the fields of the file's first record, noting when it has more.
    void showFirstRecord(const TCsvImporter::TFirstRecord& first);
    int selectedEntry() const;
    // Shows the mapping in lstDBColumns with entry selection selected, and
    // the preview that follows from it.
    void showMapping(int selection);
    // Fills the mapping from the headings of the file's first record.
    void mapByNames();
    void showMapByNamesResult(const QStringList& unmatched, const QString& source);
    void refreshPreview();
    // The mapping as program fields, -1 also for one the database lacks.
    QList<int> storedFields() const;
    void updateMapByNamesState();

    std::unique_ptr<Ui::TfrmImportFromCSV> ui;
    TContactsSession& session_;
    QStringList colsTitleFull_;
    TImportMapping mapping_;
    TCsvImporter::THead head_;  // the start of the chosen file
    std::unique_ptr<TCsvPreviewModel> preview_;
};
