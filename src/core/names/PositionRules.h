#pragma once

#include <QString>
#include <QStringView>

namespace vornak {

// A gap between the characters of a base name: counted from its start, 0 is before the first
// character; counted from its end, 0 is after the last. A gap past the other end is that end.
// Characters are what a reader takes for one (grapheme clusters): an emoji with its skin tone,
// a family joined by ZWJ, a letter with its combining accents; the stand-in decodeName gives a
// byte that is not UTF-8 is one of its own.
struct TextGap {
    static constexpr int kMax = 999;

    int offset = 0; // 0 to kMax
    bool fromEnd = false;

    friend bool operator==(const TextGap&, const TextGap&) = default;
};

// 插入: the text put in at the gap; an empty text changes nothing.
struct InsertRule {
    TextGap at;
    QString text;

    friend bool operator==(const InsertRule&, const InsertRule&) = default;
};

// 删除: count characters that start at the gap, or, counted from the end, that end at it; 0
// changes nothing.
struct RemoveRule {
    TextGap at;
    int count = 0; // 0 to TextGap::kMax

    friend bool operator==(const RemoveRule&, const RemoveRule&) = default;
};

// The base name with the rule applied; a cut never splits a character.
QString withInserted(QStringView base, const InsertRule& rule);
QString withRemoved(QStringView base, const RemoveRule& rule);

} // namespace vornak
