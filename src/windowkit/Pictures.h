#pragma once

// Pictures compiled into the program as RGBA bytes, row by row, written at
// build time from PNG files, so that showing them decodes nothing. Each is
// drawn from a source at least as large as its device pixels, so it stays
// sharp on a display scaled up to 200 %.

#include <QIcon>
#include <QImage>
#include <QPixmap>

class QLabel;

namespace windowkit {

struct Picture
{
    int width;
    int height;
    const unsigned char *rgba;

    // A read-only image over the compiled bytes.
    QImage image() const { return QImage(rgba, width, height, width * 4, QImage::Format_RGBA8888); }
};

// The program's icon at 32 and 48 pixels (from the PNG files of those
// sizes) and at 64 and 96 (the large pictures scaled down).
extern const Picture kIcon32;
extern const Picture kIcon48;
extern const Picture kIcon64;
extern const Picture kIcon96;

// The program's icon for title bars and task bars at 32 and 48 logical
// pixels, at a display's device pixel ratio: only the sizes that ratio
// needs, since every size is sent to the window system with each window
// (the launcher takes the large sizes from the installed icon theme).
QIcon programIcon(qreal ratio = 1.0);
// The icon's picture as the about box and the exit screen show it, 32
// logical pixels square, drawn for the device pixel ratio.
QPixmap programPicture(qreal ratio = 1.0);
// Shows programPicture in the label, drawn again whenever the label's
// window moves to a screen of another device pixel ratio.
void showProgramPicture(QLabel *label);

} // namespace windowkit
