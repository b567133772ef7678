#pragma once

#include "views/u_BasicFind.h"

#include <QDialog>
#include <QPoint>
#include <QRect>

#include <memory>

namespace Ui {
class TdlgFind;
}

// Where a window whose frame is frame goes so that it does not cover field,
// all three in global coordinates, inside screen (the screen's available
// geometry): where it is when it covers nothing, else below the field when
// it fits there, else above, else beside it; the top-left of the frame.
QPoint FindDialogPlace(const QRect& frame, const QRect& field, const QRect& screen);

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
    // Moves the dialog off the found field (global coordinates), so that the
    // user sees the hit.
    void moveClearOf(const QRect& field);

  signals:
    void findNext();

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void cmdFindNextClick();
    void updateFindNextEnabled();

    std::unique_ptr<Ui::TdlgFind> ui;
};
