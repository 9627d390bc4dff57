#include "Pixels.h"

// The one unit that knows where the icon's files are (the path is the
// checkout's own, so every other unit is the same in any checkout).
QImage sharpIcon(int side)
{
    return QImage(QStringLiteral(QUENLORY_ICON_DIR "/quenlory-256.png"))
        .scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
