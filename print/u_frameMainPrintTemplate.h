#pragma once

#include "support/u_Settings.h"

#include <QFrame>
#include <QList>
#include <QStringList>

class QListWidget;
class QPushButton;
class QTabWidget;
class QToolBar;
class TTemplateEditor;

// Print wizard, step 2: the template to print the contacts with. The
// "&Basic" page builds a template from the ticked columns; the "&User" page
// is the editor of the user's own template.
class TframeMainPrintTemplate : public QFrame {
    Q_OBJECT

  public:
    explicit TframeMainPrintTemplate(QWidget* parent = nullptr);

    QToolBar* tbPrintTemplate() const { return tbPrintTemplate_; }
    QTabWidget* tabTemplate() const { return tabTemplate_; }
    QWidget* tsBasic() const { return tsBasic_; }
    QWidget* tsUser() const { return tsUser_; }
    QListWidget* lstCols() const { return lstCols_; }
    QPushButton* cmdSelectAll() const { return cmdSelectAll_; }
    QPushButton* cmdUnselectAll() const { return cmdUnselectAll_; }
    TTemplateEditor* editor() const { return editor_; }

    // The column catalogue: names in program order, their full titles, and
    // the names of the older 28-column layout.
    void SetCatalogue(const QStringList& names, const QStringList& titlesFull,
                      const QStringList& names_2_5_2);

    // Refills lstCols with the full titles, all ticked, and the editor's
    // column list with the same titles; selects the first entry of each.
    void FillColumns();
    void SetAllColumns(bool ticked);
    QList<bool> TickedColumns() const;

    bool IsBasicShown() const;
    void ShowBasicPage();
    void ShowUserPage();

    // The template the report is built from: the Basic template of the
    // ticked columns while "&Basic" is shown, else the editor's text.
    QString ChosenTemplate() const;

    // The settings step: at start-up loads the default template and shows
    // the page printStyle names (0 "&Basic", 1 "&User"); a missing default
    // template is no error. Other occasions change nothing.
    void ApplyTemplateSettings(TSettingsOccasion occasion, const QString& defaultTemplate,
                               int printStyle);

  private:
    void buildBasicPage();

    QToolBar* tbPrintTemplate_ = nullptr;
    QTabWidget* tabTemplate_ = nullptr;
    QWidget* tsBasic_ = nullptr;
    QWidget* tsUser_ = nullptr;
    QListWidget* lstCols_ = nullptr;
    QPushButton* cmdSelectAll_ = nullptr;
    QPushButton* cmdUnselectAll_ = nullptr;
    TTemplateEditor* editor_ = nullptr;
    QStringList names_;
    QStringList titlesFull_;
};
