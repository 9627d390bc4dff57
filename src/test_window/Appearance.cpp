#include "test_window/Appearance.h"

#include <QPalette>
#include <QWidget>

namespace test_window {

QFont baseFont()
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(8.25);
    font.setBold(true);
    return font;
}

void paint(QWidget *widget, const QColor &background, const QColor &text)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, background);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void paintText(QWidget *widget, const QColor &text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(false);
}

} // namespace test_window
