#include "core/names/FilePattern.h"

#include <QList>

namespace vornak {

namespace {

bool onlyStars(QStringView text)
{
    for (QChar c : text) {
        if (c != u'*')
            return false;
    }
    return true;
}

bool sameLetter(QChar patternFolded, QChar nameChar)
{
    return patternFolded == nameChar || patternFolded == nameChar.toCaseFolded();
}

// Greedy matching that only ever backtracks to the last star: linear for usual patterns.
bool globMatch(QStringView pattern, QStringView name)
{
    qsizetype p = 0;
    qsizetype n = 0;
    qsizetype starP = -1;
    qsizetype starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || sameLetter(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    return onlyStars(pattern.sliced(p));
}

} // namespace

std::optional<FilePattern> FilePattern::parse(const QString& text)
{
    if (text.contains(u'/') || text.contains(QChar(u'\0')))
        return std::nullopt;
    FilePattern pattern;
    pattern.m_text = text;
    for (QStringView piece : QStringView(text).split(u';')) {
        if (piece.isEmpty())
            continue;
        Piece compiled{piece.toString().toCaseFolded(), std::nullopt};
        const qsizetype dot = compiled.folded.lastIndexOf(u'.');
        if (dot >= 0 && onlyStars(QStringView(compiled.folded).sliced(dot + 1)))
            compiled.withoutDotStars = compiled.folded.left(dot);
        const bool starsOnly = onlyStars(compiled.folded);
        const bool starsDotStars =
            compiled.withoutDotStars && !compiled.withoutDotStars->isEmpty() &&
            onlyStars(*compiled.withoutDotStars) && dot + 1 < compiled.folded.size();
        pattern.m_matchesEverything = pattern.m_matchesEverything || starsOnly || starsDotStars;
        pattern.m_pieces.push_back(std::move(compiled));
    }
    return pattern;
}

QString filePatternText(const QString& nameFilter, const QString& extensionFilter)
{
    return u'*' + nameFilter + QStringLiteral("*.") + extensionFilter + u'*';
}

FilePattern FilePattern::everything()
{
    return *parse(QStringLiteral("*"));
}

bool FilePattern::matches(QStringView name) const
{
    if (m_matchesEverything)
        return true;
    const bool hasDot = name.contains(u'.');
    for (const Piece& piece : m_pieces) {
        if (globMatch(piece.folded, name))
            return true;
        if (!hasDot && piece.withoutDotStars && globMatch(*piece.withoutDotStars, name))
            return true;
    }
    return false;
}

} // namespace vornak
