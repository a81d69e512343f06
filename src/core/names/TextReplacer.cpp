#include "core/names/TextReplacer.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace vornak {

namespace {

// Qt 6.4 has no call for PCRE2's match limit, but a pattern may set one for itself. It adds
// no group, so \1 and $1 keep their meaning.
const QString kBudget = QStringLiteral("(*LIMIT_MATCH=%1)").arg(TextReplacer::kMatchBudget);

bool isAsciiUpperOrUnderscore(QChar c)
{
    return (c >= u'A' && c <= u'Z') || c == u'_';
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int digitValue(QChar c)
{
    return c.unicode() - u'0';
}

// A reference to a group at the start of text, which starts with "$" or "\\": the group
// and how many characters the reference takes; nothing where the sign is just itself.
struct GroupReference {
    int group = 0;
    qsizetype length = 0;
};

std::optional<GroupReference> groupReference(QStringView text, int groups)
{
    const QStringView opening = text.front() == u'$' ? QStringView(u"{") : QStringView(u"g{");
    const QStringView rest = text.sliced(1);
    if (rest.startsWith(opening)) {
        // Braces end the number, so any group can be followed by digits.
        const qsizetype close = rest.indexOf(u'}', opening.size());
        if (close < 0)
            return std::nullopt;
        const QStringView digits = rest.sliced(opening.size(), close - opening.size());
        if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), isAsciiDigit))
            return std::nullopt;
        bool fits = false;
        const int group = digits.toInt(&fits);
        return GroupReference{fits ? group : std::numeric_limits<int>::max(), close + 2};
    }
    if (rest.isEmpty() || !isAsciiDigit(rest.front()))
        return std::nullopt;
    // Digits after the first join the number while it names a group the expression has:
    // "$10" is group 10 of an expression with ten groups, else group 1 and a "0". After a 0,
    // the whole match, they never do.
    GroupReference reference{digitValue(rest.front()), 2};
    while (reference.group > 0 && reference.length < text.size() &&
           isAsciiDigit(text[reference.length]) &&
           reference.group * 10 + digitValue(text[reference.length]) <= groups) {
        reference.group = reference.group * 10 + digitValue(text[reference.length]);
        ++reference.length;
    }
    return reference;
}

// Where the options an expression may start with, such as (*UCP) or (*LIMIT_MATCH=9), end.
// PCRE2 takes the last limit set, so the budget goes after them: a limit of the user's own
// cannot lift it. Backtracking verbs such as (*FAIL) are part of the expression itself.
qsizetype optionsEnd(const QString& find)
{
    static const QStringList kVerbs{QStringLiteral("ACCEPT"), QStringLiteral("COMMIT"),
                                    QStringLiteral("F"),      QStringLiteral("FAIL"),
                                    QStringLiteral("PRUNE"),  QStringLiteral("SKIP"),
                                    QStringLiteral("THEN")};
    qsizetype end = 0;
    while (QStringView(find).sliced(end).startsWith(u"(*")) {
        qsizetype i = end + 2;
        while (i < find.size() && isAsciiUpperOrUnderscore(find[i]))
            ++i;
        if (kVerbs.contains(find.sliced(end + 2, i - end - 2)))
            break;
        if (i < find.size() && find[i] == u'=') {
            ++i;
            while (i < find.size() && find[i].isDigit())
                ++i;
        }
        if (i >= find.size() || find[i] != u')')
            break;
        end = i + 1;
    }
    return end;
}

} // namespace

TextReplacer::TextReplacer(const FindReplace& rule)
    : m_find(rule.find), m_replacement(rule.replacement),
      m_caseSensitivity(rule.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive)
{
    if (!rule.regularExpression || rule.find.isEmpty())
        return;
    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (!rule.caseSensitive)
        options |= QRegularExpression::CaseInsensitiveOption;
    const qsizetype budgetAt = optionsEnd(rule.find);
    m_expression.emplace(QString(rule.find).insert(budgetAt, kBudget), options);
    if (!m_expression->isValid()) {
        m_error.kind = ReplaceError::Kind::BadExpression;
        // The offset in the expression as the user typed it.
        qsizetype offset = m_expression->patternErrorOffset();
        if (offset >= budgetAt + kBudget.size())
            offset -= kBudget.size();
        m_error.position = offset + 1;
        m_error.detail = m_expression->errorString();
        return;
    }
    m_expression->optimize();
    parseReplacement(rule.replacement);
}

void TextReplacer::parseReplacement(const QString& replacement)
{
    const int groups = m_expression->captureCount();
    QString literal;
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement[i];
        const bool escape = c == u'\\' || c == u'$';
        if (escape && i + 1 < replacement.size() && replacement[i + 1] == c) {
            literal.append(c);
            ++i;
            continue;
        }
        const std::optional<GroupReference> reference =
            escape ? groupReference(QStringView(replacement).sliced(i), groups) : std::nullopt;
        if (!reference) {
            literal.append(c);
            continue;
        }
        if (reference->group > groups) {
            m_error = {ReplaceError::Kind::MissingGroup, 0, {}, c, reference->group, groups};
            m_pieces.clear();
            return;
        }
        if (!literal.isEmpty())
            m_pieces.push_back({std::exchange(literal, {}), -1});
        m_pieces.push_back({{}, reference->group});
        i += reference->length - 1;
    }
    if (!literal.isEmpty())
        m_pieces.push_back({literal, -1});
}

bool TextReplacer::appendReplaced(QStringView text, QString& out) const
{
    if (!isActive()) {
        out.append(text);
    } else if (m_expression) {
        return appendReplacedByExpression(text, out);
    } else {
        qsizetype copied = 0;
        for (qsizetype found = text.indexOf(m_find, 0, m_caseSensitivity); found >= 0;
             found = text.indexOf(m_find, copied, m_caseSensitivity)) {
            out.append(text.sliced(copied, found - copied)).append(m_replacement);
            copied = found + m_find.size();
        }
        out.append(text.sliced(copied));
    }
    return true;
}

bool TextReplacer::appendReplacedByExpression(QStringView text, QString& out) const
{
    // decodeName gives well-formed UTF-16 only, so PCRE need not check it again.
    constexpr auto kTrusted = QRegularExpression::DontCheckSubjectStringMatchOption;
    const qsizetype start = out.size();
    qsizetype copied = 0;
    for (;;) {
        const QRegularExpressionMatch match =
            m_expression->match(text, copied, QRegularExpression::NormalMatch, kTrusted);
        if (!match.isValid())
            return false;
        if (!match.hasMatch())
            break;
        // After an empty match the search must retry the same place for a longer one, which
        // only the global iterator can; names rarely take this path.
        if (match.capturedLength() == 0) {
            out.truncate(start);
            return appendReplacedGlobally(text, out);
        }
        out.append(text.sliced(copied, match.capturedStart() - copied));
        appendReplacement(match, out);
        copied = match.capturedEnd();
    }
    out.append(text.sliced(copied));
    return true;
}

bool TextReplacer::appendReplacedGlobally(QStringView text, QString& out) const
{
    qsizetype copied = 0;
    bool lastEmpty = false;
    QRegularExpressionMatchIterator matches = m_expression->globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        out.append(text.sliced(copied, match.capturedStart() - copied));
        appendReplacement(match, out);
        lastEmpty = match.capturedLength() == 0;
        copied = match.capturedEnd();
    }
    out.append(text.sliced(copied));
    // The iterator ends at the first attempt that found no match or failed, and Qt's isValid()
    // tells which. After an empty match at the very end that attempt starts past the end, which
    // PCRE2 refuses: no failure of the expression.
    return matches.isValid() || (lastEmpty && copied == text.size());
}

void TextReplacer::appendReplacement(const QRegularExpressionMatch& match, QString& out) const
{
    for (const Piece& piece : m_pieces) {
        if (piece.group < 0)
            out.append(piece.text);
        else
            out.append(match.capturedView(piece.group));
    }
}

} // namespace vornak
