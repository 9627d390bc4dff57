#pragma once

#include <QProxyStyle>

namespace windowkit {

// Qt's Fusion style on every desktop, so the windows' own colours are drawn
// everywhere (the Windows style paints buttons in the system's grey), with
// two changes.
//
// Where the windows give a control a colour, it is drawn flat in that colour:
// push buttons, closed drop-down lists, line edits, check boxes, scroll bars
// and group-box frames, each with a one-pixel frame, where Fusion shades them with gradients
// and tints the default button towards the highlight. An opened drop-down
// list is a list view below its box in the box's own palette, not a menu
// over it in the desktop's menu colours, so it honours maxVisibleItems.
//
// Fusion decodes two pictures from PNG files that the windows would meet at
// start-up: the frame of a group box, which is drawn instead, and a menu
// bar's overflow arrow, read only when first drawn. Decoding the first PNG
// loads every image-format plugin, about 2 ms before the main window's
// first paint, for pictures no window needs.
class ProgramStyle : public QProxyStyle
{
public:
    ProgramStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                         const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;

private:
    void drawGroupBoxFrame(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;
};

} // namespace windowkit
