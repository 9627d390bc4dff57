#include "windowkit/Pictures.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>

#include <cmath>

namespace windowkit {

namespace {

// The smallest compiled picture with at least this many pixels a side, or
// the largest there is.
const Picture &sourceFor(int side)
{
    for (const Picture *picture : {&kIcon32, &kIcon48, &kIcon64, &kIcon96}) {
        if (picture->width >= side)
            return *picture;
    }
    return kIcon96;
}

int devicePixels(int logical, qreal ratio)
{
    return int(std::ceil(logical * ratio - 0.01));
}

// Keeps a label's picture drawn for the device pixel ratio it is shown at.
class PictureRatio final : public QObject
{
public:
    explicit PictureRatio(QLabel *label)
        : QObject(label)
        , m_label(label)
    {
        label->installEventFilter(this);
        refresh();
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        case QEvent::DevicePixelRatioChange:
#endif
            refresh();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void refresh()
    {
        const qreal ratio = m_label->devicePixelRatioF();
        if (ratio != m_ratio) {
            m_ratio = ratio;
            m_label->setPixmap(programPicture(ratio));
        }
    }

    QLabel *m_label;
    qreal m_ratio = 0;
};

} // namespace

QIcon programIcon(qreal ratio)
{
    QIcon icon;
    const Picture *added = nullptr;
    for (int logical : {32, 48}) {
        const Picture &source = sourceFor(devicePixels(logical, ratio));
        if (&source != added)
            icon.addPixmap(QPixmap::fromImage(source.image()));
        added = &source;
    }
    return icon;
}

QPixmap programPicture(qreal ratio)
{
    const int side = devicePixels(32, ratio);
    QImage image = sourceFor(side).image();
    if (image.width() != side)
        image = image.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmap picture = QPixmap::fromImage(image);
    picture.setDevicePixelRatio(qreal(side) / 32);
    return picture;
}

void showProgramPicture(QLabel *label)
{
    new PictureRatio(label);
}

} // namespace windowkit
