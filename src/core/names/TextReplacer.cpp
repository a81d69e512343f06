#include "core/names/TextReplacer.h"

#include <utility>

namespace vornak {

TextReplacer::TextReplacer(const FindReplace& rule)
    : m_find(rule.find), m_replacement(rule.replacement),
      m_caseSensitivity(rule.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive)
{
    if (!rule.regularExpression || rule.find.isEmpty())
        return;
    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (!rule.caseSensitive)
        options |= QRegularExpression::CaseInsensitiveOption;
    m_expression.emplace(rule.find, options);
    if (!m_expression->isValid()) {
        m_error.kind = ReplaceError::Kind::BadExpression;
        m_error.position = m_expression->patternErrorOffset() + 1;
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
        if (!escape || i + 1 == replacement.size()) {
            literal.append(c);
            continue;
        }
        const QChar next = replacement[i + 1];
        if (next == c) {
            literal.append(c);
            ++i;
            continue;
        }
        if (next.unicode() < u'0' || next.unicode() > u'9') {
            literal.append(c);
            continue;
        }
        const int group = next.unicode() - u'0';
        if (group > groups) {
            m_error = {ReplaceError::Kind::MissingGroup, 0, {}, c, group, groups};
            m_pieces.clear();
            return;
        }
        if (!literal.isEmpty())
            m_pieces.push_back({std::exchange(literal, {}), -1});
        m_pieces.push_back({{}, group});
        ++i;
    }
    if (!literal.isEmpty())
        m_pieces.push_back({literal, -1});
}

void TextReplacer::appendReplaced(QStringView text, QString& out) const
{
    if (!isActive()) {
        out.append(text);
    } else if (m_expression) {
        appendReplacedByExpression(text, out);
    } else {
        qsizetype copied = 0;
        for (qsizetype found = text.indexOf(m_find, 0, m_caseSensitivity); found >= 0;
             found = text.indexOf(m_find, copied, m_caseSensitivity)) {
            out.append(text.sliced(copied, found - copied)).append(m_replacement);
            copied = found + m_find.size();
        }
        out.append(text.sliced(copied));
    }
}

void TextReplacer::appendReplacedByExpression(QStringView text, QString& out) const
{
    // decodeName gives well-formed UTF-16 only, so PCRE need not check it again.
    constexpr auto kTrusted = QRegularExpression::DontCheckSubjectStringMatchOption;
    const qsizetype start = out.size();
    qsizetype copied = 0;
    for (;;) {
        const QRegularExpressionMatch match =
            m_expression->match(text, copied, QRegularExpression::NormalMatch, kTrusted);
        if (!match.hasMatch())
            break;
        // After an empty match the search must retry the same place for a longer one, which
        // only the global iterator can; names rarely take this path.
        if (match.capturedLength() == 0) {
            out.truncate(start);
            appendReplacedGlobally(text, out);
            return;
        }
        out.append(text.sliced(copied, match.capturedStart() - copied));
        appendReplacement(match, out);
        copied = match.capturedEnd();
    }
    out.append(text.sliced(copied));
}

void TextReplacer::appendReplacedGlobally(QStringView text, QString& out) const
{
    qsizetype copied = 0;
    QRegularExpressionMatchIterator matches = m_expression->globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        out.append(text.sliced(copied, match.capturedStart() - copied));
        appendReplacement(match, out);
        copied = match.capturedEnd();
    }
    out.append(text.sliced(copied));
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
