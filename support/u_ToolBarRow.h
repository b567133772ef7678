#pragma once

#include <QList>
#include <QWidget>

class QToolBar;
class QVBoxLayout;

// Tool bars side by side on one line while the width allows, otherwise
// wrapped onto further lines (as many whole tool bars on a line as fit), so
// no command hides behind a tool bar's "»" extension in a narrow window, a
// long translation or a large font.
class TToolBarRow : public QWidget {
    Q_OBJECT

  public:
    explicit TToolBarRow(QWidget* parent = nullptr);

    void addToolBar(QToolBar* bar);
    // The number of lines the tool bars take now.
    int lineCount() const { return static_cast<int>(lines_.size()); }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void arrange(int width);

    QVBoxLayout* layout_ = nullptr;
    QList<QToolBar*> bars_;
    QList<int> lines_;  // the number of tool bars on each line
};
