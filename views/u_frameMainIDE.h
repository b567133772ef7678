#pragma once

#include <QFrame>
#include <QStringList>

#include <array>
#include <memory>

class QLabel;

namespace Ui {
class TframeMainIDE;
}

// The contact card: the current record as 32 labelled text fields on a name
// strip, a Home and a Work page and a notes area. It also carries the column
// catalogue (names, titles and the two column maps) that every view reads.
// The card never talks to the database: the main window fills and reads its
// fields.
class TframeMainIDE : public QFrame {
    Q_OBJECT

  public:
    static constexpr int FieldCount = 32;

    explicit TframeMainIDE(QWidget* parent = nullptr);
    ~TframeMainIDE() override;

    // Column catalogue. Names never change; titles follow the language.
    QStringList lstDBColsName;              // 32 column names in program order
    QStringList lstDBColsTitle;             // 32 short titles (card labels)
    QStringList lstDBColsTitleFull;         // 32 full titles (headings, pickers)
    QStringList lstDBColsIndexFromProgram;  // field i -> database column, "-1" when missing
    QStringList lstDBColsIndexFromDB;       // database column k -> field, "-1" when unsupported
    QStringList lstDBColsName_2_5_2;        // the older 28-column layout

    // Field i's editor (a QLineEdit or QPlainTextEdit) and its label.
    QWidget* fieldEdit(int i) const;
    QLabel* fieldLabel(int i) const;
    QString fieldText(int i) const;
    void setFieldText(int i, const QString& text);
    // Index of the field editor w, or -1 when w is none of them.
    int fieldIndexOf(const QWidget* w) const;

    // Brings the page holding field i to the front and focuses the field.
    void ShowField(int i);
    // For the occasion "StartUp" selects page activeTab (0 Home, 1 Work).
    void ApplyCardSettings(const QString& occasion, int activeTab);

  signals:
    // Any field's text changed (by the user or by the program).
    void fieldTextChanged();

  protected:
    void changeEvent(QEvent* event) override;

  private:
    std::unique_ptr<Ui::TframeMainIDE> ui;
};
