#include "AppFont.h"

#include "GlyphCentredStyle.h"

#include <QApplication>
#include <QFont>

namespace vornak {

void applyAppFont()
{
    // Captions are 12 pixels tall and the preview label 13. At 9 pixels the glyphs, from the
    // top of an ideograph to the foot of a descender, keep a clear pixel above and below; at 10
    // they touch an edge. Hinting would stretch the ideographs to whole pixels, two rows taller.
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(9);
    font.setHintingPreference(QFont::PreferNoHinting);
    QApplication::setFont(font);
    QApplication::setStyle(new GlyphCentredStyle);
}

} // namespace vornak
