#pragma once

// Reading colours off drawn pictures: the house colours as the windows state
// them, and checks of an area's pixels against a colour.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

inline const QColor kDarkBrown(94, 70, 47);
inline const QColor kKhaki(221, 228, 169);
inline const QColor kLightYellow(255, 255, 192);
inline const QColor kCyan(0, 255, 255);
inline const QColor kDarkGrey(0x40, 0x40, 0x40);
inline constexpr int kTolerance = 3;

inline int distance(const QColor &a, const QColor &b)
{
    return qMax(qAbs(a.red() - b.red()), qMax(qAbs(a.green() - b.green()), qAbs(a.blue() - b.blue())));
}

inline QString rgb(const QColor &colour)
{
    return QStringLiteral("RGB(%1,%2,%3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

// Every pixel of the area, given in the picture's logical coordinates, against
// the colour: empty when all lie within the tolerance, otherwise the first
// that does not, and the area's average.
inline QString areaFailure(const QImage &image, const QRect &area, const QColor &expected)
{
    const qreal ratio = image.devicePixelRatio();
    const QRect pixels(QPoint(qRound(area.left() * ratio), qRound(area.top() * ratio)), area.size() * ratio);
    if (pixels.isEmpty() || !image.rect().contains(pixels))
        return QStringLiteral("sample area outside the picture");
    qint64 sums[3] = {0, 0, 0};
    QString failure;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            const QColor drawn = image.pixelColor(x, y);
            sums[0] += drawn.red();
            sums[1] += drawn.green();
            sums[2] += drawn.blue();
            if (failure.isEmpty() && distance(drawn, expected) > kTolerance)
                failure = QStringLiteral("at ratio %1, pixel (%2,%3) is %4, not %5")
                              .arg(ratio).arg(x).arg(y).arg(rgb(drawn), rgb(expected));
        }
    }
    if (failure.isEmpty())
        return failure;
    const qint64 n = qint64(pixels.width()) * pixels.height();
    return failure + QStringLiteral("; the area averages %1")
                         .arg(rgb(QColor(int(sums[0] / n), int(sums[1] / n), int(sums[2] / n))));
}

// How many pixels of the area (in device pixels) lie near the colour.
inline int pixelsNear(const QImage &image, const QRect &area, const QColor &colour, int tolerance = 40)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += distance(image.pixelColor(x, y), colour) <= tolerance ? 1 : 0;
    return count;
}

// Mean difference per colour channel between two pictures of one size, over
// the pixels the reference paints opaquely.
inline double meanDifference(const QImage &picture, const QImage &reference)
{
    const QImage a = picture.convertToFormat(QImage::Format_ARGB32);
    const QImage b = reference.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    int count = 0;
    for (int y = 0; y < qMin(a.height(), b.height()); ++y) {
        for (int x = 0; x < qMin(a.width(), b.width()); ++x) {
            const QRgb want = b.pixel(x, y);
            if (qAlpha(want) < 255)
                continue;
            const QRgb got = a.pixel(x, y);
            sum += qAbs(qRed(got) - qRed(want)) + qAbs(qGreen(got) - qGreen(want)) + qAbs(qBlue(got) - qBlue(want));
            count += 3;
        }
    }
    return count ? sum / count : 255;
}

// The icon's largest PNG file scaled down to the side: what a sharp picture
// of the icon at that many pixels looks like.
QImage sharpIcon(int side);
