#pragma once

#include <QPixmap>
#include <QProxyStyle>

namespace platform {

// Qt's Fusion style on every desktop, so the windows' own colours are drawn
// everywhere (the Windows style paints buttons in the system's grey), with
// two pictures that Fusion decodes from PNG files taken from the program
// instead: the frame of a group box, drawn from the same pixels compiled in,
// and a menu bar's overflow arrow, read only when first drawn. Decoding the
// first PNG loads every image-format plugin, about 2 ms before the main
// window's first paint, for pictures no window needs.
class ProgramStyle : public QProxyStyle
{
public:
    ProgramStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;

private:
    mutable QPixmap m_groupBoxFrame;
};

} // namespace platform
