#include "windowkit/Pictures.h"

#include <QPixmap>

namespace windowkit {

QIcon programIcon()
{
    // Every size added here is sent to the window system with each window.
    QIcon icon;
    for (const Picture *picture : {&kIcon32, &kIcon48})
        icon.addPixmap(QPixmap::fromImage(picture->image()));
    return icon;
}

QPixmap programPicture()
{
    return QPixmap::fromImage(kIcon32.image());
}

} // namespace windowkit
