#pragma once

#include <QLabel>
#include <QString>

class QFontMetrics;

// The navigation text "n / N [path]" made to fit width: the record numbers
// before the bracket stay whole, the path inside the brackets loses its
// middle ("…") as far as needed. A text without a bracket is shortened in
// the middle as a whole.
QString ElideNavigationText(const QString& text, const QFontMetrics& metrics, int width);

// The navigation bar's text: text() is the whole text, what is painted is
// that text shortened to the label's width (ElideNavigationText), so that a
// long path never hides the record number.
class TNavigationLabel : public QLabel {
    Q_OBJECT

  public:
    explicit TNavigationLabel(QWidget* parent = nullptr);

    // The text as it is painted at the current width.
    QString shownText() const;

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};
