#include "GlyphCentredStyle.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace vornak {

void GlyphCentredStyle::drawItemText(QPainter* painter, const QRect& rect, int flags,
                                     const QPalette& palette, bool enabled, const QString& text,
                                     QPalette::ColorRole textRole) const
{
    QRect box = rect;
    if (flags & Qt::AlignVCenter) {
        // The glyphs reach from the top of an ideograph to the foot of a descender. Growing
        // the box upwards by twice the distance between their centre and the line box's
        // centre lifts them by that distance, and the box's bottom still bounds the text.
        const QFont& font = painter->font();
        QPainterPath glyphs;
        glyphs.addText(0, 0, font, QStringLiteral("国g")); // not a text: glyphs to measure
        const QFontMetricsF metrics(font);
        const qreal lineCentre = (metrics.descent() - metrics.ascent()) / 2;
        box.setTop(box.top() - 2 * qRound(glyphs.boundingRect().center().y() - lineCentre));
    }
    QProxyStyle::drawItemText(painter, box, flags, palette, enabled, text, textRole);
}

} // namespace vornak
