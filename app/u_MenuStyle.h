#pragma once

#include <QProxyStyle>

class QMenu;

// The "New style" look of the program's menus: owner-drawn items on a warm
// grey background, the selected item filled yellow with its caption in red and
// its hint below it, first-level items with an image gutter on the left.
//
// A menu's items carry the tag of their level as the menu's property
// "menuTag": 1 for the menus of the main menu, 2 for deeper submenus.
class TNewStyleMenuStyle : public QProxyStyle {
    Q_OBJECT

  public:
    TNewStyleMenuStyle();

    static constexpr int FirstLevelWidth = 200;
    static constexpr int DeeperWidth = 170;
    static constexpr int ItemHeight = 30;
    static constexpr int SeparatorHeight = 11;
    static constexpr int FirstItemBand = 20;
    static constexpr int GutterWidth = 28;

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
};

// A caption without its "&" markers ("&&" stays one "&").
QString StripAccelerators(const QString& caption);
