#include "WidgetLayout.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTabBar>
#include <QTextEdit>

#include <map>

namespace widgetlayout {

namespace {

QString nameOf(const QWidget* w) {
    return QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
}

bool shown(const QWidget* w, const QWidget& root) {
    return w->isVisibleTo(&root) && w->width() > 0 && w->height() > 0;
}

// The controls whose size follows their text; the others fill what they get.
bool isTextControl(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) != nullptr ||
           qobject_cast<const QAbstractButton*>(w) != nullptr ||
           qobject_cast<const QLineEdit*>(w) != nullptr ||
           qobject_cast<const QComboBox*>(w) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(w) != nullptr;
}

bool isControl(const QWidget* w) {
    return isTextControl(w) || qobject_cast<const QPlainTextEdit*>(w) != nullptr ||
           qobject_cast<const QTextEdit*>(w) != nullptr;
}

// The size a control needs to show its text whole.
QSize neededSize(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->wordWrap()) {
            return {0, label->heightForWidth(label->width())};
        }
        return label->sizeHint();
    }
    if (qobject_cast<const QLineEdit*>(w) != nullptr || qobject_cast<const QComboBox*>(w)) {
        return {0, w->minimumSizeHint().height()};  // the text scrolls sideways
    }
    if (const auto* button = qobject_cast<const QPushButton*>(w)) {
        // Its text and margins; the style's wish for a wider button is no cut.
        QString text = button->text();
        text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin);
        const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        return {button->fontMetrics().horizontalAdvance(text) + margin + 2 * frame,
                button->minimumSizeHint().height()};
    }
    return w->minimumSizeHint();
}

QChar acceleratorOf(QString text) {
    text.remove(QStringLiteral("&&"));
    const qsizetype at = text.indexOf(u'&');
    return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
}

}  // namespace

QStringList Faults(const QWidget& root) {
    QStringList faults;
    const QList<QWidget*> all = root.findChildren<QWidget*>();
    for (const QWidget* w : all) {
        // The navigation text shortens a long path on purpose.
        if (!shown(w, root) || !isControl(w) || w->inherits("TNavigationLabel")) {
            continue;
        }
        if (isTextControl(w)) {
            const QSize need = neededSize(w);
            if (w->width() < need.width() || w->height() < need.height()) {
                faults << QStringLiteral("%1 is cut: %2x%3, needs %4x%5")
                              .arg(nameOf(w))
                              .arg(w->width())
                              .arg(w->height())
                              .arg(need.width())
                              .arg(need.height());
            }
        }
        for (const QObject* o : w->parentWidget()->children()) {
            const auto* other = qobject_cast<const QWidget*>(o);
            if (other == nullptr || other <= w || !shown(other, root) || !isControl(other) ||
                other->isWindow()) {
                continue;
            }
            // A pixel of shared frame is no overlap.
            if (w->geometry()
                    .adjusted(1, 1, -1, -1)
                    .intersects(other->geometry().adjusted(1, 1, -1, -1))) {
                faults << nameOf(w) + QStringLiteral(" overlaps ") + nameOf(other);
            }
        }
    }
    return faults;
}

QStringList AcceleratorClashes(const QWidget& root) {
    std::map<QChar, QStringList> owners;
    const auto add = [&owners](const QString& text) {
        const QChar key = acceleratorOf(text);
        if (!key.isNull()) {
            owners[key] << text;
        }
    };
    for (const QMenuBar* bar : root.findChildren<QMenuBar*>()) {
        if (bar->isVisibleTo(&root)) {
            for (const QAction* menu : bar->actions()) {
                if (menu->isVisible()) {
                    add(menu->text());
                }
            }
        }
    }
    for (const QWidget* w : root.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&root)) {
            continue;
        }
        if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            add(button->text());
        } else if (const auto* tabs = qobject_cast<const QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                add(tabs->tabText(i));
            }
        } else if (const auto* box = qobject_cast<const QGroupBox*>(w)) {
            add(box->title());
        } else if (const auto* label = qobject_cast<const QLabel*>(w)) {
            if (label->buddy() != nullptr) {
                add(label->text());
            }
        }
    }
    QStringList clashes;
    for (const auto& [key, texts] : owners) {
        if (texts.size() > 1) {
            clashes << QStringLiteral("'%1': ").arg(key) + texts.join(QStringLiteral(", "));
        }
    }
    return clashes;
}

}  // namespace widgetlayout
