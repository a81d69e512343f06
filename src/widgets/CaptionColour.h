#pragma once

#include <QColor>
#include <QWidget>

namespace vornak {

// A ticked option and the selected mode show their caption in red, the others in black.
inline const QColor kHighlightColour(255, 0, 0);
inline const QColor kNormalColour(0, 0, 0);

void setCaptionColour(QWidget& widget, const QColor& colour);
QColor captionColour(const QWidget& widget);

} // namespace vornak
