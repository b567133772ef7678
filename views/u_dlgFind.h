#pragma once

#include "views/u_BasicFind.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TdlgFind;
}

// The non-modal find dialog: the text to find, the direction (down by
// default) and the match-case option. It searches nothing itself; Find Next
// tells its owner to search with the current text and options.
class TdlgFind : public QDialog {
    Q_OBJECT

  public:
    explicit TdlgFind(QWidget* parent = nullptr);
    ~TdlgFind() override;

    QString findText() const;
    void setFindText(const QString& text);
    BasicFind::Direction direction() const;
    void setDirection(BasicFind::Direction direction);
    bool matchCase() const;
    void setMatchCase(bool on);
    // The search these settings describe.
    BasicFind::Request request() const;

  signals:
    void findNext();

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void cmdFindNextClick();
    void updateFindNextEnabled();

    std::unique_ptr<Ui::TdlgFind> ui;
};
