#pragma once

#include "support/u_Settings.h"

#include <QFrame>
#include <QStringList>

#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
struct TCardLink;

namespace Ui {
class TframeMainIDE;
}

// The contact card: the current record as 32 labelled text fields on a name
// strip, a Home and a Work page and a notes area, labelled with the short
// column titles of the contact schema. The card never talks to the database:
// the main window fills and reads its fields through the session.
class TframeMainIDE : public QFrame {
    Q_OBJECT

  public:
    static constexpr int FieldCount = 32;

    explicit TframeMainIDE(QWidget* parent = nullptr);
    ~TframeMainIDE() override;

    // Field i's editor (a QLineEdit or QPlainTextEdit) and its label.
    QWidget* fieldEdit(int i) const;
    QLabel* fieldLabel(int i) const;
    QString fieldText(int i) const;
    void setFieldText(int i, const QString& text);
    // Index of the field editor w, or -1 when w is none of them.
    int fieldIndexOf(const QWidget* w) const;

    // Brings the page holding field i to the front and focuses the field.
    void ShowField(int i);
    // For the occasion StartUp selects page activeTab (0 Home, 1 Work).
    void ApplyCardSettings(TSettingsOccasion occasion, int activeTab);

    // Enables or disables every field and its "Go" button (no database open).
    void setFieldsEnabled(bool enabled);
    // Empties every field.
    void clearFields();
    // Lays the labels out again after their captions changed: a long one
    // takes two lines, and the label columns take the widest.
    void alignLabelColumns();
    // The page control and its pages' order: 0 Home, 1 Work.
    int currentPage() const;

    // The menu the card opens on a right-click outside the text fields, and
    // from the keyboard (Menu, Shift+F10) while a text field has no focus;
    // the text fields keep their own edit menus. The window owns it.
    void SetContextMenu(QMenu* menu) { contextMenu_ = menu; }
    QMenu* contextMenu() const { return contextMenu_; }

  signals:
    // Any field's text changed (by the user or by the program).
    void fieldTextChanged();

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void collectFields();
    void connectFields();
    void applyTitles();
    void breakLongLabels();
    int LineEditChrome() const;
    void adjustFixedWidths();
    void alignStripsWithPages();
    void setLineText(int i, QLineEdit* edit, const QString& text);
    void lineTextEdited(int i, QLineEdit* edit);
    void openLink(const TCardLink& link);
    void openWebAddress(const QWidget* field);
    void openMailAddress(const QWidget* field);

    void cmdFields_Home_WWWClick();
    void cmdFields_Home_EmailClick();
    void cmdFields_Work_WWWClick();
    void cmdFields_Work_EmailClick();

    std::unique_ptr<Ui::TframeMainIDE> ui;
    std::array<QWidget*, FieldCount> fieldEdits_{};
    std::array<QLabel*, FieldCount> fieldLabels_{};
    // The length limit each single-line field was designed with (ZipCode 6);
    // a stored value longer than that is shown whole, never cut.
    std::array<int, FieldCount> designMaxLength_{};
    std::array<QPushButton*, 4> goButtons_{};
    // Multi-line editors keep line breaks as LF; a value stored with CR LF
    // breaks is handed back with CR LF so an untouched record stays as it was.
    std::array<bool, FieldCount> crlfBreaks_{};
    // A single-line field whose cursor the fill put at the start (so the
    // start shows) and that the user has not yet moved: typed text goes to
    // the end, where the user expects it.
    std::array<bool, FieldCount> cursorFromFill_{};
    QMenu* contextMenu_ = nullptr;
};
