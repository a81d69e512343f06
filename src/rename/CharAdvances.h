#pragma once

#include <QByteArrayView>
#include <QFontMetrics>
#include <QStringView>

#include <vector>

namespace vornak {

// Rough widths of texts in a font: the sum of their characters' own advances, each character
// measured once. Within kerning and shaping of the laid-out width, at a fraction of its cost,
// so that hundreds of thousands of lines can be ranked by width.
class CharAdvances {
public:
    explicit CharAdvances(const QFontMetrics& metrics);

    int width(QStringView text);
    // Bytes that are not UTF-8 count as the replacement character they are shown as.
    int width(QByteArrayView utf8);

private:
    int advance(char32_t code);

    QFontMetrics m_metrics;
    // By code point below 0x10000; -1 until measured.
    std::vector<int> m_advances;
};

} // namespace vornak
