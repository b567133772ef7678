#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The template editor's non-modal find and replace dialogs: the text to
// find, the options match case and whole word (the search always runs down),
// and for replacing the replacement text. The dialog searches nothing itself:
// its buttons tell the editor what to do.
class TdlgTemplateFind : public QDialog {
    Q_OBJECT

  public:
    enum class Mode { Find, Replace };
    explicit TdlgTemplateFind(Mode mode, QWidget* parent = nullptr);

    Mode mode() const { return mode_; }
    QString findText() const;
    void setFindText(const QString& text);
    QString replaceText() const;
    void setReplaceText(const QString& text);
    bool matchCase() const;
    void setMatchCase(bool on);
    bool wholeWord() const;
    void setWholeWord(bool on);

  signals:
    void findNext();
    // Replace and Replace All both replace the next occurrence only.
    void replaceNext();

  private:
    void updateButtons();

    Mode mode_;
    QLineEdit* txtFind_ = nullptr;
    QLineEdit* txtReplace_ = nullptr;
    QCheckBox* chkMatchCase_ = nullptr;
    QCheckBox* chkWholeWord_ = nullptr;
    QPushButton* cmdFindNext_ = nullptr;
    QPushButton* cmdReplace_ = nullptr;
    QPushButton* cmdReplaceAll_ = nullptr;
};
