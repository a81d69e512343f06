#include "core/names/PositionRules.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace vornak {

namespace {

// Moves the finder over count characters, towards the start or the end, stopping at the end it
// moves to; gives the offset it reaches.
qsizetype stepped(QTextBoundaryFinder& finder, qsizetype size, int count, bool backwards)
{
    const qsizetype end = backwards ? 0 : size;
    for (; count > 0 && finder.position() != end; --count)
        backwards ? finder.toPreviousBoundary() : finder.toNextBoundary();
    return finder.position();
}

// A finder over the text at the end its gaps are counted from.
QTextBoundaryFinder finderAt(QStringView text, bool fromEnd)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    if (fromEnd)
        finder.toEnd();
    return finder;
}

} // namespace

QString withInserted(QStringView base, const InsertRule& rule)
{
    if (rule.text.isEmpty())
        return base.toString();
    QTextBoundaryFinder finder = finderAt(base, rule.at.fromEnd);
    const qsizetype at = stepped(finder, base.size(), rule.at.offset, rule.at.fromEnd);
    QString text;
    text.reserve(base.size() + rule.text.size());
    text.append(base.first(at)).append(rule.text).append(base.sliced(at));
    return text;
}

QString withRemoved(QStringView base, const RemoveRule& rule)
{
    QTextBoundaryFinder finder = finderAt(base, rule.at.fromEnd);
    const qsizetype gap = stepped(finder, base.size(), rule.at.offset, rule.at.fromEnd);
    const qsizetype other = stepped(finder, base.size(), rule.count, rule.at.fromEnd);
    const auto [from, to] = std::minmax(gap, other);
    QString text;
    text.reserve(base.size() - (to - from));
    text.append(base.first(from)).append(base.sliced(to));
    return text;
}

} // namespace vornak
