#include "platform/Style.h"

#include "platform/Pictures.h"

#include <QGroupBox>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <qdrawutil.h>

namespace platform {

namespace {

// Fusion's gap between a group box's top and its frame.
const int kGroupBoxTopMargin = 3;

// An icon that asks the style for the real one the first time it is drawn or
// measured.
class DeferredIconEngine : public QIconEngine
{
public:
    DeferredIconEngine(QStyle *style, QStyle::StandardPixmap which)
        : m_style(style)
        , m_which(which)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return false; }
    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }

private:
    QIcon icon()
    {
        if (!m_loaded && m_style) {
            m_loaded = true;
            m_icon = m_style->standardIcon(m_which);
        }
        return m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    bool m_loaded = false;
    QIcon m_icon;
};

} // namespace

ProgramStyle::ProgramStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    if (element != PE_FrameGroupBox) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Fusion's frame: its picture stretched over the box below the title.
    if (m_groupBoxFrame.isNull())
        m_groupBoxFrame = QPixmap::fromImage(kGroupBoxFrame.image());
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    int topMargin = kGroupBoxTopMargin;
    if (!box || box->isCheckable() || !box->title().isEmpty())
        topMargin += qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height());
    qDrawBorderPixmap(painter, option->rect.adjusted(0, topMargin, 0, 0), QMargins(6, 6, 6, 6),
                      m_groupBoxFrame);
}

QIcon ProgramStyle::standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const
{
    if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredIconEngine(baseStyle(), which));
    return QProxyStyle::standardIcon(which, option, widget);
}

} // namespace platform
