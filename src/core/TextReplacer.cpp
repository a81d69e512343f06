#include "TextReplacer.h"

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
        m_error = QStringLiteral("表达式有误（第 %1 个字符）：%2")
                      .arg(m_expression->patternErrorOffset() + 1)
                      .arg(m_expression->errorString());
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
            m_error = QStringLiteral("替换文本中的“%1%2”没有对应的分组（表达式有 %3 个分组）")
                          .arg(c)
                          .arg(next)
                          .arg(groups);
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

QString TextReplacer::replaced(const QString& text) const
{
    if (!isActive())
        return text;
    if (m_expression)
        return replacedByExpression(text);
    QString result = text;
    return result.replace(m_find, m_replacement, m_caseSensitivity);
}

QString TextReplacer::replacedByExpression(const QString& text) const
{
    QRegularExpressionMatchIterator matches = m_expression->globalMatch(text);
    if (!matches.hasNext())
        return text;
    QString result;
    result.reserve(text.size() + m_replacement.size());
    qsizetype copied = 0;
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        result.append(QStringView(text).sliced(copied, match.capturedStart() - copied));
        for (const Piece& piece : m_pieces) {
            if (piece.group < 0)
                result.append(piece.text);
            else
                result.append(match.capturedView(piece.group));
        }
        copied = match.capturedEnd();
    }
    result.append(QStringView(text).sliced(copied));
    return result;
}

} // namespace vornak
