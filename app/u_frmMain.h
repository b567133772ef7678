#pragma once

#include "views/u_MainWindowInterface.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QLabel;
class QMenu;
class TContactsSession;
struct TRecordChange;
class TfrmSplash;
class TNewStyleMenuStyle;
class TframeMainIDE;
class TSaveStatus;
class TframeMainGrid;
class TframeMainDBSort;
class TframeMainDBQuery;
class TframeMainPrintRows;
class TframeMainPrintTemplate;
class TframeMainPrintPreview;

namespace Ui {
class TfrmMain;
}

// The main window: menus, tool bars, navigation bar and status bar around a
// client panel that shows one view at a time. It shows the session's open
// database: it follows the session's signals (the engine's OnRefreshData and
// AfterMove, the changes of records, the problems of opening and saving,
// shown as messages) and hands the table's cell edits to the session. It
// offers the commands the small IMainWindow interface.
class TfrmMain : public QMainWindow, public IMainWindow {
    Q_OBJECT

  public:
    static constexpr int MaxFields = 32;

    explicit TfrmMain(TContactsSession& session, QWidget* parent = nullptr);
    ~TfrmMain() override;
    TfrmMain(const TfrmMain&) = delete;
    TfrmMain& operator=(const TfrmMain&) = delete;

    Ui::TfrmMain& form() const { return *ui; }
    TContactsSession& Session() const { return session_; }

    // IMainWindow
    void AttachCommands(ICommandHost& commands) override;
    QWidget* Widget() override { return this; }
    TView CurrentView() const override { return currentView_; }
    void ShowView(TView view) override;
    QWidget* ViewFrame(TView view) const override;
    TframeMainIDE& Card() const override { return *frameMainIDE_; }
    TframeMainGrid& Grid() const override { return *frameMainGrid_; }
    TFilterBar& FilterBar() const override { return *filterBar_; }
    void SetNavigationText(const QString& text) override;
    QMenu* RecentFilesMenu() const override;
    void ShowRecentFiles(const QStringList& paths) override;
    bool MenuOwnerDraw() const override { return menuOwnerDraw_; }
    void SetMenuOwnerDraw(bool ownerDraw) override;
    QStringList CardFields() const override;
    void FinishCellEdit() override;

    bool IsTableShown() const { return currentView_ == TView::Table; }
    bool StartingUp() const { return startingUp_; }

    // The views of the client panel.
    TframeMainIDE* frameMainIDE() const { return frameMainIDE_; }
    TframeMainGrid* frameMainGrid() const { return frameMainGrid_; }
    TframeMainDBSort* frameMainDBSort() const { return frameMainDBSort_; }
    TframeMainDBQuery* frameMainDBQuery() const { return frameMainDBQuery_; }
    TframeMainPrintRows* frameMainPrintRows() const { return frameMainPrintRows_; }

    // The card's edit fields and their labels in column order.
    int FieldEditsCount() const { return fieldEditsCount_; }
    QWidget* FieldEdit(int i) const { return FieldEdits[i]; }
    int FieldLabelsCount() const { return fieldLabelsCount_; }
    QLabel* FieldLabel(int i) const { return FieldLabels[i]; }
    // Fills FieldEdits and FieldLabels from the card.
    void RegisterFields();

    QLabel* NavigationLabel() const;
    QAction* RecentFileEntry(int index) const;

    // The splash window, freed at the end of the first show.
    void SetSplash(std::unique_ptr<TfrmSplash> splash);

    // Handlers of Quib1's events, reached through the session's signals.
    void Quib1RefreshData();
    void Quib1AfterMove();
    // Also the engine's OnSaveRow.
    void StoreViewEdits() override;
    // The line shown in the client area while no database is open.
    QLabel* NoDatabaseLine() const { return lblNoDatabase_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormShow();
    // Shows the current record on the card (empty fields without a database).
    void fillCard(const QString& database);
    void showNavigation(const QString& database);
    // The card's place shows the no-database line while no database is open.
    void showNoDatabaseLine();
    void followRecords(const TRecordChange& change);
    void showOpenProblem(bool refused, const QString& message);
    // While the newest change is not on disk: asks whether to close anyway.
    bool confirmLosingUnsaved();
    void showFailedSave(const QString& path, const QString& message);
    void placeOnScreen();
    void fitFrameOnScreen();
    void createViews();
    void connectSession();
    void createStatusPanels();
    void connectViewToggles();
    void updateBarEdges();
    void retranslate();
    void updateWindowTitle();
    bool helpOverMenu(QObject* watched, QEvent* event);

    std::unique_ptr<Ui::TfrmMain> ui;
    TContactsSession& session_;
    ICommandHost* commands_ = nullptr;
    std::unique_ptr<TNewStyleMenuStyle> newStyle_;
    std::unique_ptr<TfrmSplash> splash_;
    std::array<QWidget*, MaxFields> FieldEdits{};
    int fieldEditsCount_ = 0;
    std::array<QLabel*, MaxFields> FieldLabels{};
    int fieldLabelsCount_ = 0;
    bool startingUp_ = true;  // until the end of the first show
    TView currentView_ = TView::Card;
    TframeMainIDE* frameMainIDE_ = nullptr;
    TframeMainGrid* frameMainGrid_ = nullptr;
    TFilterBar* filterBar_ = nullptr;
    TframeMainDBSort* frameMainDBSort_ = nullptr;
    TframeMainDBQuery* frameMainDBQuery_ = nullptr;
    TframeMainPrintRows* frameMainPrintRows_ = nullptr;
    TframeMainPrintTemplate* frameMainPrintTemplate_ = nullptr;
    TframeMainPrintPreview* frameMainPrintPreview_ = nullptr;
    QMenu* recentPopup_ = nullptr;
    QLabel* lblStatusReady_ = nullptr;
    QLabel* lblStatusWWW_ = nullptr;
    TSaveStatus* lblStatusSave_ = nullptr;
    QLabel* lblNoDatabase_ = nullptr;
    bool menuOwnerDraw_ = false;
    bool firstShowDone_ = false;
    bool closing_ = false;  // while the close waits for the last save
    bool recentFilesShown_ = false;
};
