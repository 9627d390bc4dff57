#include "windowkit/TypefacePanel.h"

#include "windowkit/Look.h"

namespace windowkit {

TypefacePanel::TypefacePanel(QWidget *parent)
    : QWidget(parent)
{
    setFont(programFont(8.25));
}

} // namespace windowkit
