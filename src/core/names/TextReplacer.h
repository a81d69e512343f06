#pragma once

#include "core/names/FindReplace.h"
#include "core/names/ReplaceError.h"

#include <QRegularExpression>
#include <QString>

#include <optional>
#include <vector>

namespace vornak {

// A find/replace rule made ready to apply to many names: the expression compiled and the
// replacement parsed once.
//
// In a regular expression's replacement, \N and $N stand for the text of group N, 0 for the
// whole match. N takes as many digits as name a group the expression has: "$10" is group 10
// where there are ten groups, else group 1 followed by "0". ${N} and \g{N} end the number
// with the brace. "\\" and "$$" stand for one "\" and one "$"; any other "\" or "$" is
// itself. A group the expression does not have is an error, not literal text, so a mistyped
// reference cannot slip into hundreds of names.
// Expressions use Unicode properties: \w and \d match CJK letters and all digits.
//
// Every expression matches within a budget of backtracking steps (kMatchBudget per match):
// under PCRE2's own limit an expression such as (a+)+$ spends tens of milliseconds on a name
// like "aaaaaaaaaaaaaaaaaaaaaaaaaaaab" before it gives up, minutes on 10,000 of them. A name
// the expression cannot decide within the budget is reported, never taken for a name without a
// match.
class TextReplacer {
public:
    explicit TextReplacer(const FindReplace& rule);

    // Kind::None when the rule can be applied; else why not.
    const ReplaceError& error() const { return m_error; }
    // The rule is valid and changes something.
    bool isActive() const { return m_error.kind == ReplaceError::Kind::None && !m_find.isEmpty(); }
    // Appends the text to out with every match replaced, left to right. False when a match
    // went over the budget: out then holds nothing the caller may use.
    [[nodiscard]] bool appendReplaced(QStringView text, QString& out) const;

    // PCRE2 steps per match. Expressions people write for names took at most about 500 on
    // names of 255 characters (lazy groups, several greedy groups split by spaces); one match
    // that runs into the budget costs about 0.1 ms with the JIT.
    static constexpr int kMatchBudget = 20'000;

private:
    // Literal text, or the group to insert when group >= 0.
    struct Piece {
        QString text;
        int group = -1;
    };

    void parseReplacement(const QString& replacement);
    bool appendReplacedByExpression(QStringView text, QString& out) const;
    bool appendReplacedGlobally(QStringView text, QString& out) const;
    void appendReplacement(const QRegularExpressionMatch& match, QString& out) const;

    QString m_find;
    QString m_replacement;
    Qt::CaseSensitivity m_caseSensitivity;
    std::optional<QRegularExpression> m_expression;
    std::vector<Piece> m_pieces;
    ReplaceError m_error;
};

} // namespace vornak
