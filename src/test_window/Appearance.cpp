#include "test_window/Appearance.h"

#include <QPalette>
#include <QWidget>

namespace test_window {

void paint(QWidget *widget, const QColor &background, const QColor &text)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, background);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    links::setTextColour(widget, text);
}

void paintText(QWidget *widget, const QColor &text)
{
    links::setTextColour(widget, text);
    widget->setAutoFillBackground(false);
}

} // namespace test_window
