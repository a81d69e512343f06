#include "AppFont.h"

#include "GlyphCentredStyle.h"

#include <QApplication>
#include <QFont>

namespace vornak {

void applyAppFont()
{
    // Captions are 12 pixels tall and the preview label 13: that leaves 9-pixel glyphs, from
    // the top of an ideograph to the foot of a descender, a clear pixel above and below.
    // Hinting would stretch the ideographs to whole pixels, two rows taller at this size.
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(9);
    font.setHintingPreference(QFont::PreferNoHinting);
    QApplication::setFont(font);
    QApplication::setStyle(new GlyphCentredStyle);
}

} // namespace vornak
