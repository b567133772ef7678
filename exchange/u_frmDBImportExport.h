#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

class TDBConverter;
class TQuibReader;
struct TSourceDBCheck;

namespace Ui {
class TfrmDBImportExport;
}

// Copies a database file into a new file in the layout of a chosen program
// version, or converts the open database in place (with a backup). The
// converter works through two engine instances of its own; the main
// window's database is only read for its name and reloaded when the
// conversion touched its file.
class TfrmDBImportExport : public QDialog {
    Q_OBJECT

  public:
    // mainQuib: the main window's database; programVersion: the running
    // program's version; reloadMainDatabase runs the main window's Reload.
    TfrmDBImportExport(const TQuibReader& mainQuib, const QString& programVersion,
                       std::function<void()> reloadMainDatabase, QWidget* parent = nullptr);
    ~TfrmDBImportExport() override;

  public slots:
    void cmdSourceBrowseClick();
    void cmdDestBrowseClick();
    void cmdSaveClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    void QuibSourceCheckCompatibility(const TSourceDBCheck& check);
    // Opens and closes the source, which runs the compatibility check;
    // true when it opened. A file error is shown as an error message.
    bool checkSource(const QString& file);
    void updateSaveEnabled();
    // The source (dlgOpen) or destination (dlgSave) chooser, preset with the
    // last name; the chosen name or the empty text when cancelled.
    QString runChooser(bool save, const QString& preset);

    std::unique_ptr<Ui::TfrmDBImportExport> ui;
    const TQuibReader& mainQuib_;
    QString programVersion_;
    std::function<void()> reloadMainDatabase_;
    std::unique_ptr<TDBConverter> converter_;
    QString sourcePreset_;
    QString destPreset_;
};
