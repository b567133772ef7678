#include "support/u_ToolBarCaptions.h"

#include <QAction>
#include <QActionEvent>
#include <QSet>
#include <QToolBar>

namespace {

void KeepIconTextAsCaption(QAction* action) {
    if (action->isSeparator() || action->iconText() == action->text()) {
        return;
    }
    // Emits changed() again, which then finds both equal.
    action->setIconText(action->text());
}

class TCaptionKeeper : public QObject {
  public:
    explicit TCaptionKeeper(QToolBar& bar) : QObject(&bar) {
        for (QAction* action : bar.actions()) {
            keep(action);
        }
        bar.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ActionAdded) {
            keep(static_cast<QActionEvent*>(event)->action());
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void keep(QAction* action) {
        KeepIconTextAsCaption(action);
        if (!kept_.contains(action)) {
            kept_.insert(action);
            connect(action, &QAction::changed, this, [action] { KeepIconTextAsCaption(action); });
            connect(action, &QObject::destroyed, this, [this, action] { kept_.remove(action); });
        }
    }

    QSet<QAction*> kept_;
};

}  // namespace

void ShowCaptionAccelerators(QToolBar& bar) {
    new TCaptionKeeper(bar);
}
