#pragma once

#include "views/u_CommandHost.h"

#include <QList>

#include <memory>

class QShortcut;
class TReportPrintJob;
class TframeMainPrintPreview;
class TframeMainPrintRows;
class TframeMainPrintTemplate;

// The print wizard: Print starts it on the rows step, the Next commands move
// on to the template and the preview step (where the report is built), Print
// and Print Setup print the report on the one printer of the wizard, Cancel
// Print leaves it for the card. The unit also runs the template editor's
// settings step and gives the keys the editor shares with the database
// commands to whichever of them belongs to the view in front.
class TPrintCommands : public TCommandUnit {
  public:
    explicit TPrintCommands(ICommandHost& host);
    ~TPrintCommands() override;

    TReportPrintJob& PrintJob() const { return *job_; }
    TframeMainPrintRows& Rows() const;
    TframeMainPrintTemplate& Template() const;
    TframeMainPrintPreview& Preview() const;

    // Puts a query builder on the rows step's "&Query" page.
    void SetRowsQueryBuilder(QWidget* builder);

  private:
    void print();
    void showStepRows();
    void showStepTemplate();
    void showStepPreview();
    void showStepPrint();
    void setup();
    void cancel();
    void prepareReport();
    void applySettings(TSettingsOccasion occasion);
    void leaveTemplateStep();
    void fillStepToolBars();
    void createSharedKeys();

    std::unique_ptr<TReportPrintJob> job_;
    // One shortcut for each key the editor shares with a database command;
    // enabled only while the template step is in front, where the database
    // commands are unavailable, so a key never has two owners.
    QList<QShortcut*> sharedKeys_;
};
