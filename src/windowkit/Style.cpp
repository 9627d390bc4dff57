#include "windowkit/Style.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>

namespace windowkit {

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

// The message boxes' information and stop icons, drawn at whatever size and
// device pixel ratio they are shown: the styles' own are a 32-pixel picture,
// which a display scaled to 150 or 200 % shows enlarged and soft.
class MessageIconEngine : public QIconEngine
{
public:
    explicit MessageIconEngine(bool critical)
        : m_critical(critical)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        const qreal side = qMin(rect.width(), rect.height());
        const QRectF disc(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2, side, side);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(m_critical ? QColor(204, 32, 32) : QColor(32, 96, 192));
        painter->drawEllipse(disc.adjusted(side / 32, side / 32, -side / 32, -side / 32));
        painter->setBrush(Qt::white);
        const QPointF centre = disc.center();
        if (m_critical) {
            painter->setPen(QPen(Qt::white, side / 8, Qt::SolidLine, Qt::RoundCap));
            const qreal arm = side / 5;
            painter->drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
            painter->drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
        } else {
            const qreal stem = side / 8;
            painter->drawEllipse(QPointF(centre.x(), disc.top() + side * 0.27), stem * 0.65, stem * 0.65);
            painter->drawRoundedRect(QRectF(centre.x() - stem / 2, disc.top() + side * 0.40, stem, side * 0.36),
                                     stem / 3, stem / 3);
        }
        painter->restore();
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    // Before Qt 6.8 QIcon hands over the size in device pixels already; from
    // 6.8 on it is the logical size, to be drawn at the scale.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        const QSize pixels = (QSizeF(size) * scale).toSize();
#else
        const QSize pixels = size;
#endif
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            paint(&painter, image.rect(), mode, state);
        }
        image.setDevicePixelRatio(scale);
        return QPixmap::fromImage(image);
    }
    bool isNull() override { return false; }
    QIconEngine *clone() const override { return new MessageIconEngine(*this); }

private:
    bool m_critical;
};

// A one-pixel frame around a face: a darker shade of it, or a lighter one
// where the face is too dark for a darker shade to show.
QColor frameColour(const QColor &face)
{
    return face.value() < 80 ? face.lighter(180) : face.darker(160);
}

// A pressed face, and a scroll bar's trough beside its handle.
QColor shadedFace(const QColor &face, int percent)
{
    return face.value() < 80 ? face.lighter(100 + percent) : face.darker(100 + percent);
}

// Frames and marks are filled rectangles on whole logical pixels, so they
// have no seams or half-covered pixels at any scale factor.
void drawFrame(QPainter *painter, const QRect &rect, const QColor &colour)
{
    if (rect.width() < 2 || rect.height() < 2)
        return;
    painter->fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), colour);
    painter->fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), colour);
    painter->fillRect(QRect(rect.left(), rect.top() + 1, 1, rect.height() - 2), colour);
    painter->fillRect(QRect(rect.right(), rect.top() + 1, 1, rect.height() - 2), colour);
}

// The desktop's dotted focus rectangle, in the control's text colour: every
// other logical pixel along the edges, so the dots are as large at 200 % as
// at 100 % (a pattern brush would dot every other device pixel).
void drawFocusMark(QPainter *painter, const QRect &rect, const QColor &colour)
{
    if (rect.width() < 2 || rect.height() < 2)
        return;
    const auto dot = [&](int x, int y) {
        if ((x - rect.left() + y - rect.top()) % 2 == 1)
            painter->fillRect(QRect(x, y, 1, 1), colour);
    };
    for (int x = rect.left(); x <= rect.right(); ++x) {
        dot(x, rect.top());
        dot(x, rect.bottom());
    }
    for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
        dot(rect.left(), y);
        dot(rect.right(), y);
    }
}

// A solid triangle pointing in the direction, centred in the area, built
// from one-pixel rows.
void drawArrow(QPainter *painter, const QRect &area, Qt::ArrowType direction, const QColor &colour)
{
    const int rows = qBound(2, qMin(area.width(), area.height()) / 4, 5);
    const QPoint centre = area.center();
    for (int i = 0; i < rows; ++i) {
        const int halfWidth = rows - 1 - i;
        switch (direction) {
        case Qt::DownArrow:
            painter->fillRect(QRect(centre.x() - halfWidth, centre.y() - rows / 2 + i, 2 * halfWidth + 1, 1), colour);
            break;
        case Qt::UpArrow:
            painter->fillRect(QRect(centre.x() - halfWidth, centre.y() + rows / 2 - i, 2 * halfWidth + 1, 1), colour);
            break;
        case Qt::RightArrow:
            painter->fillRect(QRect(centre.x() - rows / 2 + i, centre.y() - halfWidth, 1, 2 * halfWidth + 1), colour);
            break;
        default:
            painter->fillRect(QRect(centre.x() + rows / 2 - i, centre.y() - halfWidth, 1, 2 * halfWidth + 1), colour);
            break;
        }
    }
}

bool isDropDownListView(const QWidget *widget)
{
    return qobject_cast<const QAbstractItemView *>(widget) && widget->window()
        && qobject_cast<const QComboBox *>(widget->window()->parentWidget());
}

void drawButtonPanel(const QStyleOptionButton &button, QPainter *painter)
{
    const QColor face = button.palette.color(QPalette::Button);
    const bool down = button.state & (QStyle::State_Sunken | QStyle::State_On);
    painter->fillRect(button.rect, down ? shadedFace(face, 15) : face);
    if (button.features & QStyleOptionButton::DefaultButton) {
        drawFrame(painter, button.rect, button.palette.color(QPalette::ButtonText));
        drawFrame(painter, button.rect.adjusted(1, 1, -1, -1), frameColour(face));
    } else {
        drawFrame(painter, button.rect, frameColour(face));
    }
}

void drawClosedList(const QStyle *style, const QStyleOptionComboBox &combo, QPainter *painter,
                    const QWidget *widget)
{
    const QColor face = combo.palette.color(QPalette::Button);
    const QColor text = combo.palette.color(QPalette::ButtonText);
    painter->fillRect(combo.rect, face);
    drawFrame(painter, combo.rect, frameColour(face));
    if (combo.subControls & QStyle::SC_ComboBoxArrow) {
        const QRect arrow = style->subControlRect(QStyle::CC_ComboBox, &combo, QStyle::SC_ComboBoxArrow, widget);
        drawArrow(painter, arrow, Qt::DownArrow, text);
    }
    if (combo.state & QStyle::State_HasFocus) {
        const QRect field = style->subControlRect(QStyle::CC_ComboBox, &combo, QStyle::SC_ComboBoxEditField, widget);
        drawFocusMark(painter, field.adjusted(-1, 1, 0, -1), text);
    }
}

void drawScrollBar(const QStyle *style, const QStyleOptionSlider &bar, QPainter *painter, const QWidget *widget)
{
    const QColor face = bar.palette.color(QPalette::Button);
    const QColor text = bar.palette.color(QPalette::ButtonText);
    painter->fillRect(bar.rect, shadedFace(face, 25));
    const bool vertical = bar.orientation == Qt::Vertical;
    const struct {
        QStyle::SubControl part;
        Qt::ArrowType arrow;
    } parts[] = {
        {QStyle::SC_ScrollBarSubLine, vertical ? Qt::UpArrow : Qt::LeftArrow},
        {QStyle::SC_ScrollBarAddLine, vertical ? Qt::DownArrow : Qt::RightArrow},
        {QStyle::SC_ScrollBarSlider, Qt::NoArrow},
    };
    for (const auto &part : parts) {
        if (!(bar.subControls & part.part))
            continue;
        const QRect rect = style->subControlRect(QStyle::CC_ScrollBar, &bar, part.part, widget);
        if (rect.isEmpty())
            continue;
        const bool down = (bar.activeSubControls & part.part) && (bar.state & QStyle::State_Sunken);
        painter->fillRect(rect, down ? shadedFace(face, 15) : face);
        drawFrame(painter, rect, frameColour(face));
        if (part.arrow != Qt::NoArrow)
            drawArrow(painter, rect, part.arrow, bar.state & QStyle::State_Enabled ? text : frameColour(face));
    }
}

void drawCheckIndicator(const QStyleOption &option, QPainter *painter)
{
    const QColor base = option.palette.color(QPalette::Base);
    const QColor text = option.palette.color(QPalette::Text);
    const QRect rect = option.rect;
    painter->fillRect(rect, option.state & QStyle::State_Sunken ? shadedFace(base, 15) : base);
    drawFrame(painter, rect, option.state & QStyle::State_HasFocus ? text : frameColour(base));
    const QRectF inner = QRectF(rect).adjusted(3, 3, -3, -3);
    if (option.state & QStyle::State_NoChange) {
        painter->fillRect(inner, QBrush(text, Qt::Dense4Pattern));
    } else if (option.state & QStyle::State_On) {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(text, qMax(1.5, inner.width() / 5), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        const QPointF marks[3] = {{inner.left(), inner.center().y()},
                                  {inner.left() + inner.width() / 3, inner.bottom()},
                                  {inner.right(), inner.top()}};
        painter->drawPolyline(marks, 3);
        painter->restore();
    }
}

void drawLineEditPanel(const QStyleOptionFrame &panel, QPainter *painter)
{
    const QColor base = panel.palette.color(QPalette::Base);
    painter->fillRect(panel.rect, base);
    if (panel.lineWidth > 0)
        drawFrame(painter, panel.rect,
                  panel.state & QStyle::State_HasFocus ? panel.palette.color(QPalette::Text) : frameColour(base));
}

} // namespace

ProgramStyle::ProgramStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    switch (element) {
    case PE_FrameGroupBox:
        drawGroupBoxFrame(option, painter, widget);
        return;
    case PE_PanelButtonCommand:
        if (const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option)) {
            drawButtonPanel(*button, painter);
            return;
        }
        break;
    case PE_FrameFocusRect:
        // A push button marks its focus on its face (drawControl); an opened
        // drop-down list marks its current entry by the selection alone,
        // without Fusion's glow over it.
        if (qobject_cast<const QPushButton *>(widget) || isDropDownListView(widget))
            return;
        break;
    case PE_IndicatorCheckBox:
        drawCheckIndicator(*option, painter);
        return;
    case PE_PanelLineEdit:
        if (const auto *panel = qstyleoption_cast<const QStyleOptionFrame *>(option)) {
            drawLineEditPanel(*panel, painter);
            return;
        }
        break;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                               const QWidget *widget) const
{
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
    if (element != CE_PushButtonBevel || !button || (button->features & QStyleOptionButton::HasMenu)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    drawButtonPanel(*button, painter);
    if (button->state & State_HasFocus)
        drawFocusMark(painter, button->rect.adjusted(3, 3, -3, -3), button->palette.color(QPalette::ButtonText));
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                      QPainter *painter, const QWidget *widget) const
{
    if (control == CC_ComboBox) {
        const auto *combo = qstyleoption_cast<const QStyleOptionComboBox *>(option);
        if (combo && !combo->editable) {
            drawClosedList(this, *combo, painter, widget);
            return;
        }
    } else if (control == CC_ScrollBar) {
        if (const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option)) {
            drawScrollBar(this, *bar, painter, widget);
            return;
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

int ProgramStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                            QStyleHintReturn *returnData) const
{
    switch (hint) {
    case SH_ComboBox_Popup:
        // A list view below the box, in the box's palette, with a scroll bar.
        return 0;
    case SH_ComboBox_ListMouseTracking:
        return 1;
    case SH_ComboBox_PopupFrameStyle:
        return QFrame::Box | QFrame::Plain;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

QRect ProgramStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                                   const QWidget *widget) const
{
    // A group box's frame is placed below its title by drawGroupBoxFrame,
    // from the whole box, whichever Qt it is (Fusion from 6.8 on moves the
    // frame's rectangle below the title itself).
    if (control == CC_GroupBox && part == SC_GroupBoxFrame)
        return option->rect;
    return QProxyStyle::subControlRect(control, option, part, widget);
}

void ProgramStyle::drawGroupBoxFrame(const QStyleOption *option, QPainter *painter, const QWidget *widget) const
{
    // Flat like the other faces: a one-pixel frame in a shade of the box's
    // own colour, below the title where there is one.
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    int topMargin = kGroupBoxTopMargin;
    if (!box || box->isCheckable() || !box->title().isEmpty())
        topMargin += qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height());
    drawFrame(painter, option->rect.adjusted(0, topMargin, 0, 0),
              frameColour(option->palette.color(QPalette::Window)));
}

QIcon ProgramStyle::standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const
{
    if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredIconEngine(baseStyle(), which));
    if (which == SP_MessageBoxInformation || which == SP_MessageBoxCritical)
        return QIcon(new MessageIconEngine(which == SP_MessageBoxCritical));
    return QProxyStyle::standardIcon(which, option, widget);
}

} // namespace windowkit
