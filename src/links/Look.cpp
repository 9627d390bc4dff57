#include "links/Look.h"

#include <QPalette>
#include <QString>
#include <QWidget>

namespace links {

QFont verdana(qreal points, Weight weight, Underline underline)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(points);
    font.setBold(weight == Weight::Bold);
    font.setUnderline(underline == Underline::Yes);
    return font;
}

VerdanaPanel::VerdanaPanel(QWidget *parent)
    : QWidget(parent)
{
    setFont(verdana(8.25));
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QString programIconPath()
{
    return QStringLiteral(":/icons/quenlory-32.png");
}

} // namespace links
