#pragma once

// Pictures compiled into the program as RGBA bytes, row by row, written at
// build time from PNG files, so that showing them decodes nothing.

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace windowkit {

struct Picture
{
    int width;
    int height;
    const unsigned char *rgba;

    // A read-only image over the compiled bytes.
    QImage image() const { return QImage(rgba, width, height, width * 4, QImage::Format_RGBA8888); }
};

// The program's icon at 32 and 48 pixels.
extern const Picture kIcon32;
extern const Picture kIcon48;

// The program's icon at 32 and 48 pixels, for title bars and task bars (the
// launcher takes the large sizes from the installed icon theme).
QIcon programIcon();
// The icon's 32-pixel picture, as the about box and the exit screen show it.
QPixmap programPicture();

} // namespace windowkit
