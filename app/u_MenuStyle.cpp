#include "app/u_MenuStyle.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace {

const QColor kBackground(231, 228, 220);
const QColor kSelectedFill(251, 215, 68);
const QColor kSelectedFrame(248, 177, 71);
const QColor kGutterFill(219, 224, 232);
const QColor kGutterBorder(143, 158, 184);
const QColor kDisabled(128, 128, 128);

int tagOf(const QWidget* widget) {
    return widget != nullptr ? widget->property("menuTag").toInt() : 0;
}

// The action a style option draws: the menu's visible action with the same
// caption (Qt hands the style the text with the shortcut after a tab).
const QAction* actionOf(const QStyleOptionMenuItem& item, const QWidget* widget) {
    const auto* menu = qobject_cast<const QMenu*>(widget);
    if (menu == nullptr) {
        return nullptr;
    }
    const QString caption = item.text.section(u'\t', 0, 0);
    for (const QAction* action : menu->actions()) {
        if (action->isVisible() && !action->isSeparator() && action->text() == caption) {
            return action;
        }
    }
    return nullptr;
}

bool isFirstItem(const QAction* action, const QWidget* widget) {
    const auto* menu = qobject_cast<const QMenu*>(widget);
    if (menu == nullptr || action == nullptr) {
        return false;
    }
    for (const QAction* a : menu->actions()) {
        if (a->isVisible()) {
            return a == action;
        }
    }
    return false;
}

QFont itemFont(int pointSize, bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

void drawSeparator(QPainter* p, const QRect& r) {
    const int y = r.center().y();
    p->setPen(kDisabled);
    p->drawLine(r.left() + 2, y, r.right() - 2, y);
    p->setPen(Qt::white);
    p->drawLine(r.left() + 2, y + 1, r.right() - 2, y + 1);
}

void drawCheckMark(QPainter* p, const QRect& box, const QColor& colour) {
    p->setPen(QPen(colour, 2));
    const QPoint c = box.center();
    p->drawLine(c + QPoint(-5, 0), c + QPoint(-2, 3));
    p->drawLine(c + QPoint(-2, 3), c + QPoint(5, -4));
}

}  // namespace

QString StripAccelerators(const QString& caption) {
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&') {
                out += u'&';
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

TNewStyleMenuStyle::TNewStyleMenuStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int TNewStyleMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                    const QWidget* widget) const {
    if (metric == PM_MenuPanelWidth || metric == PM_MenuHMargin || metric == PM_MenuVMargin) {
        return 1;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void TNewStyleMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                       QPainter* painter, const QWidget* widget) const {
    if (element == PE_PanelMenu || element == PE_FrameMenu) {
        painter->fillRect(option->rect, kBackground);
        painter->setPen(kDisabled);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QSize TNewStyleMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                           const QSize& size, const QWidget* widget) const {
    const int tag = tagOf(widget);
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || item == nullptr || tag == 0) {
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
    const int width = tag == 1 ? FirstLevelWidth : DeeperWidth;
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        return {width, SeparatorHeight};
    }
    int height = ItemHeight;
    if (tag == 2 && isFirstItem(actionOf(*item, widget), widget)) {
        height += FirstItemBand;
    }
    return {width, height};
}

void TNewStyleMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
    const int tag = tagOf(widget);
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || item == nullptr || tag == 0) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    painter->save();
    QRect r = item->rect;
    painter->fillRect(r, kBackground);
    const QAction* action = actionOf(*item, widget);
    if (tag == 2 && isFirstItem(action, widget)) {
        // The extra band of a submenu's first item, drawn at its top.
        QRect band(r.left(), r.top(), r.width(), FirstItemBand);
        painter->fillRect(band, kBackground.darker(108));
        r.setTop(r.top() + FirstItemBand);
    }
    const bool enabled = item->state & State_Enabled;
    const bool selected = (item->state & State_Selected) && enabled;
    if (tag == 1) {
        // The image gutter, joined between neighbouring items.
        const QRect gutter(r.left(), item->rect.top(), GutterWidth, item->rect.height());
        painter->fillRect(gutter, kGutterFill);
        painter->setPen(kGutterBorder);
        painter->drawLine(gutter.topLeft(), gutter.bottomLeft());
        painter->drawLine(gutter.topRight(), gutter.bottomRight());
    }
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        drawSeparator(painter, r.adjusted(tag == 1 ? GutterWidth : 0, 0, 0, 0));
        painter->restore();
        return;
    }
    const int textLeft = r.left() + (tag == 1 ? GutterWidth + 6 : 8);
    if (selected) {
        const QRect fill = r.adjusted(1, 1, -2, -2);
        painter->fillRect(fill, kSelectedFill);
        painter->setPen(kSelectedFrame);
        painter->drawRect(fill);
    }
    // The image, greyed when disabled; a sunken frame marks a checked one.
    const QRect imageBox(r.left() + (GutterWidth - 16) / 2, r.top() + (r.height() - 16) / 2, 16,
                         16);
    const bool checked = item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked;
    if (!item->icon.isNull() && tag == 1) {
        item->icon.paint(painter, imageBox, Qt::AlignCenter,
                         enabled ? QIcon::Normal : QIcon::Disabled);
        if (checked) {
            painter->setPen(kGutterBorder.darker(130));
            painter->drawRect(imageBox.adjusted(-2, -2, 1, 1));
        }
    } else if (checked) {
        drawCheckMark(painter, tag == 1 ? imageBox : QRect(r.left(), r.top(), 8, r.height()),
                      enabled ? item->palette.text().color() : kDisabled);
    }
    const QString caption = item->text.section(u'\t', 0, 0);
    const QString shortcut = item->text.section(u'\t', 1);
    const QColor captionColour =
        !enabled ? kDisabled : (selected ? QColor(Qt::red) : item->palette.text().color());
    const QFont bold = itemFont(8, true);
    painter->setFont(bold);
    painter->setPen(captionColour);
    const int lineHeight = QFontMetrics(bold).height();
    const QRect textRect(textLeft, r.top() + (selected ? 2 : 8), r.right() - 5 - textLeft,
                         lineHeight);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, caption);
    if (!shortcut.isEmpty()) {
        painter->drawText(textRect, Qt::AlignRight | Qt::AlignTop, shortcut);
    }
    if (selected) {
        QString hint = action != nullptr ? action->statusTip() : QString();
        if (hint.isEmpty()) {
            hint = StripAccelerators(caption);
        }
        painter->setFont(itemFont(7, false));
        const QRect hintRect(textLeft, r.top() + 16, r.right() - 5 - textLeft, r.height() - 16);
        painter->drawText(hintRect, Qt::AlignLeft | Qt::AlignTop, hint);
    }
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        QStyleOptionMenuItem arrow = *item;
        arrow.rect = QRect(r.right() - 12, r.top() + (r.height() - 9) / 2, 9, 9);
        QProxyStyle::drawPrimitive(PE_IndicatorArrowRight, &arrow, painter, widget);
    }
    painter->restore();
}
