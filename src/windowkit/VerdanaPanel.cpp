#include "windowkit/VerdanaPanel.h"

#include "windowkit/Look.h"

namespace windowkit {

VerdanaPanel::VerdanaPanel(QWidget *parent)
    : QWidget(parent)
{
    setFont(verdana(8.25));
}

} // namespace windowkit
