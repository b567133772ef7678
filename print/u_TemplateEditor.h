#pragma once

#include "print/u_TemplateFile.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <map>

class QAction;
class QListWidget;
class QMenu;
class QTextEdit;
class QToolBar;
class QToolButton;
class TdlgTemplateFind;

// The editor of the user's own print template: the template text, the list
// of columns whose field tags it inserts, and its file, edit, find and
// format commands. The template text is what the report uses; the editor's
// formatting is kept in the file but ignored by the report.
class TTemplateEditor : public QWidget {
    Q_OBJECT

  public:
    explicit TTemplateEditor(QWidget* parent = nullptr);
    ~TTemplateEditor() override;
    TTemplateEditor(const TTemplateEditor&) = delete;
    TTemplateEditor& operator=(const TTemplateEditor&) = delete;

    QTextEdit* rtbTemplateUser() const { return rtbTemplateUser_; }
    QListWidget* lstTemplateUserCols() const { return lstTemplateUserCols_; }
    QToolBar* tbTemplateUser() const { return tbTemplateUser_; }
    QToolButton* tbut_FontSize() const { return tbut_FontSize_; }
    // The editor's action of the given objectName ("actFileNew", ...).
    QAction* action(const QString& name) const;
    QList<QAction*> editorActions() const;
    // The font-size menu and the context menu (empty while it is absent).
    QMenu* fontSizeMenu() const { return fontSizeMenu_; }
    QMenu* contextMenu() const { return contextMenu_; }
    TdlgTemplateFind* findDialog() const { return dlgFind_; }
    TdlgTemplateFind* replaceDialog() const { return dlgReplace_; }

    // The catalogue's column names (for field tags) and the older layout's
    // names (for converting numbered tags).
    void SetColumnNames(const QStringList& names, const QStringList& names_2_5_2);
    // Fills lstTemplateUserCols; entry k stands for catalogue column k.
    void FillColumns(const QStringList& titlesFull);

    QString templateText() const;
    QString fileName() const { return fileName_; }
    int lastSizeAmount() const { return lastSizeAmount_; }

    // The template step is the main window's view. Only then do the
    // editor's commands act on the template; otherwise its file and find
    // commands hand over to the database commands of the same name (through
    // HandOver, with the database action's objectName) and the rest do nothing.
    void SetStepCurrent(bool current) { stepCurrent_ = current; }
    bool IsStepCurrent() const { return stepCurrent_; }
    std::function<void(const QString& databaseAction)> HandOver;
    // The context menu exists only while the template step is shown.
    void SetContextMenuPresent(bool present);

    // Commands.
    void FileNew();
    void FileOpen();
    // Loads fileName. A file that cannot be read is reported and leaves the
    // editor as it was; a missing one is reported only when reportMissing.
    TemplateReadStatus FileReload(const QString& fileName, bool reportMissing = true);
    void FileSave();
    void FileSaveAs();
    void ForgetFileName() { fileName_.clear(); }
    void EditFind();
    void EditFindNext();
    void EditReplace();
    void EditReplaceNext();
    void FontBold();
    void FontItalic();
    void FontUnderline();
    // Amount from -6 to +6.
    void FontSize(int amount);
    // Replaces the selection with the field tag of catalogue column k.
    void InsertField(int k);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createActions();
    void onStep(const char* databaseAction, const std::function<void()>& run);
    // The open or save dialog for template files; the empty text on Cancel.
    QString chooseTemplate(bool save, const QString& title);
    QAction* addAction_(const char* name, const QString& text, const QString& hint,
                        const QKeySequence& key, std::function<void()> run);
    void buildToolBar();
    void buildFontSizeMenu();
    QMenu* buildContextMenu();
    void wrapSelection(const QString& open, const QString& close);
    bool writeTo(const QString& fileName);
    // Searches down from the end of the selection; false when nothing found.
    bool findFromSelection(const TdlgTemplateFind& dialog);
    void ensureDialog(TdlgTemplateFind*& dialog, bool replacing);
    // Runs a standard editing slot on the focused text control.
    static void onFocusedEdit(const char* slot);

    QToolBar* tbTemplateUser_ = nullptr;  // file commands and find
    QToolBar* tbTemplateEdit_ = nullptr;
    QToolBar* tbTemplateFormat_ = nullptr;
    QTextEdit* rtbTemplateUser_ = nullptr;
    QListWidget* lstTemplateUserCols_ = nullptr;
    QToolButton* tbut_FontSize_ = nullptr;
    QMenu* fontSizeMenu_ = nullptr;
    QMenu* contextMenu_ = nullptr;
    TdlgTemplateFind* dlgFind_ = nullptr;
    TdlgTemplateFind* dlgReplace_ = nullptr;
    std::map<QString, QAction*> actions_by_name_;
    QStringList names_;
    QStringList names_2_5_2_;
    QString fileName_;
    int lastSizeAmount_ = 0;
    bool stepCurrent_ = false;
};
