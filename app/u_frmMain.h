#pragma once

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <memory>

class QLabel;
class QMenu;
class TQuib;
class TfrmCommon;
class TfrmSplash;
class TNewStyleMenuStyle;
class TframeMainIDE;
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
// client panel that shows one view at a time. It holds the database control
// Quib1 of the open database and handles its events.
class TfrmMain : public QMainWindow {
    Q_OBJECT

  public:
    static constexpr int MaxFields = 32;

    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;
    TfrmMain(const TfrmMain&) = delete;
    TfrmMain& operator=(const TfrmMain&) = delete;

    Ui::TfrmMain& form() const { return *ui; }

    // The database control; DatabaseName() is empty while no database is open.
    TQuib* Quib1 = nullptr;

    // The card's edit fields and their labels in column order.
    std::array<QWidget*, MaxFields> FieldEdits{};
    int FieldEditsCount = 0;
    std::array<QLabel*, MaxFields> FieldLabels{};
    int FieldLabelsCount = 0;

    bool RecordChanged = false;  // unsaved edits of the card's fields
    bool StartingUp = true;      // until the end of the first show
    QWidget* CurrentView = nullptr;
    QString ProgramVersion;

    // The views of the client panel.
    TframeMainIDE* frameMainIDE = nullptr;
    TframeMainGrid* frameMainGrid = nullptr;
    TframeMainDBSort* frameMainDBSort = nullptr;
    TframeMainDBQuery* frameMainDBQuery = nullptr;
    TframeMainPrintRows* frameMainPrintRows = nullptr;
    TframeMainPrintTemplate* frameMainPrintTemplate = nullptr;
    TframeMainPrintPreview* frameMainPrintPreview = nullptr;

    // The command holder once it has attached its commands.
    TfrmCommon* Common = nullptr;

    // Hides CurrentView, makes view current and shows it.
    void ShowView(QWidget* view);
    bool IsTableShown() const;

    // Fills FieldEdits and FieldLabels from the card.
    void RegisterFields();

    // Places the commands of the holder in the menus, the tool bars and the
    // navigation bar.
    void AttachCommands(TfrmCommon& common);

    // "New style" (owner-drawn menus in the menu tool bar) or "Classic style".
    bool MenuOwnerDraw() const { return menuOwnerDraw_; }
    void SetMenuOwnerDraw(bool ownerDraw);

    QLabel* NavigationLabel() const;
    void SetNavigationText(const QString& text);
    QMenu* RecentFilesMenu() const;
    QAction* RecentFileEntry(int index) const;
    // Rebuilds the four recent-file entries from the paths (most recent first).
    void ShowRecentFiles(const QStringList& paths);

    // The splash window, freed at the end of the first show.
    void SetSplash(std::unique_ptr<TfrmSplash> splash);

    // Writes the card's fields into the current record (the file is not saved).
    void StoreCardFields();

    // Handlers of Quib1's events.
    void Quib1RefreshData();
    void Quib1SaveRow();
    void Quib1AfterMove();
    void Quib1CheckCompatibility(int16_t& Cancel);

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormShow();
    // Shows the current record on the card (empty fields without a database).
    void fillCard(const QString& database);
    // The database column that holds card field i (-1 when there is none).
    int columnOfField(int i) const;
    void createViews();
    void createStatusPanels();
    void buildMenus(TfrmCommon& common);
    void buildToolBars(TfrmCommon& common);
    void buildNavigationBar(TfrmCommon& common);
    void connectViewToggles();
    void updateBarEdges();
    void fillRecentPopup();
    void retranslate();

    std::unique_ptr<Ui::TfrmMain> ui;
    std::unique_ptr<TNewStyleMenuStyle> newStyle_;
    std::unique_ptr<TfrmSplash> splash_;
    QMenu* recentPopup_ = nullptr;
    QLabel* lblStatusReady_ = nullptr;
    QLabel* lblStatusWWW_ = nullptr;
    bool menuOwnerDraw_ = false;
    bool firstShowDone_ = false;
    bool recentFilesShown_ = false;
};
