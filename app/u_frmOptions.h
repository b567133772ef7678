#pragma once

#include "app/u_Options.h"

#include <QDialog>

#include <functional>
#include <memory>

class QButtonGroup;

namespace Ui {
class TfrmOptions;
}

// The Options dialog: the start-up database, the card page shown at start-up,
// the menu style and the print defaults, on two pages. Apply (and OK) store
// the five settings and apply them with the occasion "Manual"; Cancel closes
// without storing (what an earlier Apply stored stays).
class TfrmOptions : public QDialog {
    Q_OBJECT

  public:
    // applySettings: the command holder's ApplySettings("Manual").
    explicit TfrmOptions(std::function<void()> applySettings, QWidget* parent = nullptr);
    ~TfrmOptions() override;
    TfrmOptions(const TfrmOptions&) = delete;
    TfrmOptions& operator=(const TfrmOptions&) = delete;

    Ui::TfrmOptions& form() const { return *ui; }

    // The Browse buttons: given the dialog title and the text box's path, the
    // chosen path, or the empty text when the user cancelled. The database
    // chooser is the command holder's open dialog; the template chooser is a
    // file dialog for "Template (*.txt)" until replaced.
    std::function<QString(const QString& title, const QString& current)> ChooseStartUpDatabase;
    std::function<QString(const QString& title, const QString& current)> ChooseTemplate;
    // Shows a help topic by context id (F1).
    std::function<void(int context)> ShowHelp;

    // The values the controls show, and showing values.
    TOptionsValues Values() const;
    void ShowValues(const TOptionsValues& values);

    // Stores the values and applies them; false (with the error shown) when a
    // setting could not be stored.
    bool cmdApplyClick();
    // Apply, then close; stays open when Apply failed.
    void cmdOKClick();
    void cmdCancelClick();
    void cmdGeneralStartupDatabaseBrowseClick();
    void cmdPrintDefaultUserTemplateBrowseClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FormShow();
    int helpContextOfFocus() const;

    std::unique_ptr<Ui::TfrmOptions> ui;
    std::unique_ptr<QButtonGroup> grpActiveTab_;
    std::unique_ptr<QButtonGroup> grpMenuStyle_;
    std::unique_ptr<QButtonGroup> grpPrintStyle_;
    std::function<void()> applySettings_;
};
