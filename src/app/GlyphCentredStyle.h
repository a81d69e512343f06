#pragma once

#include <QProxyStyle>

namespace vornak {

// Centres a caption's glyphs, not its font's line box, in the caption's box. Noto CJK's line
// box reserves far more room above the glyphs than below them, so a caption centred on it
// sits low, and in the window's 12- and 13-pixel controls its descenders reach the bottom edge.
class GlyphCentredStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                      bool enabled, const QString& text,
                      QPalette::ColorRole textRole = QPalette::NoRole) const override;
};

} // namespace vornak
