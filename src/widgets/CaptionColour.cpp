#include "CaptionColour.h"

namespace vornak {

void setCaptionColour(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget.setPalette(palette);
}

QColor captionColour(const QWidget& widget)
{
    return widget.palette().color(QPalette::WindowText);
}

} // namespace vornak
