#include "windowkit/Look.h"

#include <QComboBox>
#include <QPalette>
#include <QWidget>

namespace windowkit {

namespace {

const QString kTypeface = QStringLiteral("Verdana");

} // namespace

QFont programFont(qreal points, Weight weight, Underline underline)
{
    QFont font(kTypeface);
    font.setPointSizeF(points);
    font.setBold(weight == Weight::Bold);
    font.setUnderline(underline == Underline::Yes);
    return font;
}

void installFontSubstitutes()
{
    QFont::insertSubstitutions(kTypeface,
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Bitstream Vera Sans"),
                                QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Arial")});
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

void setColours(QWidget *widget, const QColor &background, const QColor &text)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, background);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    setTextColour(widget, text);
}

void setListColours(QComboBox *list, const QColor &background, const QColor &text)
{
    setColours(list, background, text);
    // The opened list takes the box's palette when it is first built; none
    // is built here, which would cost the start-up its time.
    QPalette palette = list->palette();
    palette.setColor(QPalette::Highlight, text);
    palette.setColor(QPalette::HighlightedText, background);
    list->setPalette(palette);
    list->setMaxVisibleItems(8);
}

void setFieldColours(QWidget *widget, const QColor &field, const QColor &text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, field);
    palette.setColor(QPalette::Text, text);
    widget->setPalette(palette);
}

void setSeeThroughText(QWidget *widget, const QColor &text)
{
    setTextColour(widget, text);
    widget->setAutoFillBackground(false);
}

QString programCaption()
{
    return QStringLiteral("Quenlory v" QUENLORY_VERSION);
}

} // namespace windowkit
