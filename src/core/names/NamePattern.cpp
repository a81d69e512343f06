#include "core/names/NamePattern.h"

#include "core/names/NameComposition.h"

#include <QDateTime>

#include <algorithm>
#include <utility>

namespace vornak {

namespace {

constexpr std::pair<PatternField, QStringView> kFields[] = {
    {PatternField::Name, u"name"},   {PatternField::Ext, u"ext"},
    {PatternField::Number, u"n"},    {PatternField::Folder, u"folder"},
    {PatternField::Date, u"date"},   {PatternField::Artist, u"artist"},
    {PatternField::Album, u"album"}, {PatternField::Title, u"title"},
    {PatternField::Track, u"track"}, {PatternField::Year, u"year"},
};

const QString kDefaultDateFormat = QStringLiteral("yyyy-MM-dd");

std::optional<PatternField> fieldNamed(QStringView name)
{
    for (const auto& [field, known] : kFields) {
        if (known == name)
            return field;
    }
    return std::nullopt;
}

// The piece a field's braces hold, or why they cannot be read.
std::optional<PatternPiece> fieldPiece(QStringView inside, PatternError& error)
{
    const qsizetype colon = inside.indexOf(u':');
    const QStringView name = colon < 0 ? inside : inside.first(colon);
    const std::optional<QStringView> argument =
        colon < 0 ? std::nullopt : std::optional(inside.sliced(colon + 1));
    const std::optional<PatternField> field = fieldNamed(name);
    if (!field) {
        error = {PatternError::Kind::UnknownField, name.toString()};
        return std::nullopt;
    }
    PatternPiece piece{field, {}, {}};
    if (*field == PatternField::Date) {
        piece.text = argument && !argument->isEmpty() ? argument->toString() : kDefaultDateFormat;
        return piece;
    }
    if (!argument)
        return piece;
    bool ok = false;
    const int width = argument->toInt(&ok);
    if (*field != PatternField::Number || !ok || width < 0 || width > NumberFormat::kMaxWidth) {
        error = {PatternError::Kind::BadArgument, inside.toString()};
        return std::nullopt;
    }
    piece.width = width;
    return piece;
}

void appendText(std::vector<PatternPiece>& pieces, QStringView text)
{
    if (pieces.empty() || pieces.back().field)
        pieces.push_back({});
    pieces.back().text += text;
}

// A tag's text, or nothing where the file has none.
std::optional<QString> tagText(PatternField field, const AudioTags* tags)
{
    if (!tags)
        return std::nullopt;
    const auto text = [](const QString& value) {
        return value.isEmpty() ? std::nullopt : std::optional(value);
    };
    const auto number = [](int value) {
        return value > 0 ? std::optional(QString::number(value)) : std::nullopt;
    };
    switch (field) {
    case PatternField::Artist:
        return text(tags->artist);
    case PatternField::Album:
        return text(tags->album);
    case PatternField::Title:
        return text(tags->title);
    case PatternField::Track:
        return number(tags->track);
    default:
        return number(tags->year);
    }
}

// Appends the field's text to name; false where the file lacks the field. Written in place:
// a pattern is composed for every file of a batch.
bool appendField(QString& name, const PatternPiece& piece, const PatternValues& values)
{
    switch (*piece.field) {
    case PatternField::Name:
        name += values.base;
        return true;
    case PatternField::Ext:
        name += values.extension;
        return true;
    case PatternField::Number: {
        const QString digits = QString::number(values.number);
        for (qsizetype i = digits.size(); i < piece.width.value_or(values.width); ++i)
            name += u'0';
        name += digits;
        return true;
    }
    case PatternField::Folder:
        name += values.folder;
        return !values.folder.isEmpty();
    case PatternField::Date:
        if (!values.date)
            return false;
        name += values.dateTexts
                    ? values.dateTexts->text(*values.date, piece.text)
                    : QDateTime::fromMSecsSinceEpoch(*values.date).toString(piece.text);
        return true;
    default:
        const std::optional<QString> tag = tagText(*piece.field, values.tags);
        if (tag)
            name += *tag;
        return tag.has_value();
    }
}

} // namespace

QString patternFieldName(PatternField field)
{
    return kFields[static_cast<std::size_t>(field)].second.toString();
}

bool NamePattern::uses(PatternField field) const
{
    return std::any_of(pieces.begin(), pieces.end(),
                       [field](const PatternPiece& piece) { return piece.field == field; });
}

bool NamePattern::usesTags() const
{
    return std::any_of(pieces.begin(), pieces.end(), [](const PatternPiece& piece) {
        return piece.field && *piece.field >= PatternField::Artist;
    });
}

NamePattern parseNamePattern(QStringView text)
{
    NamePattern pattern;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype open = text.indexOf(u'{', at);
        if (open < 0) {
            appendText(pattern.pieces, text.sliced(at));
            break;
        }
        appendText(pattern.pieces, text.sliced(at, open - at));
        if (open + 1 < text.size() && text[open + 1] == u'{') {
            appendText(pattern.pieces, u"{");
            at = open + 2;
            continue;
        }
        const qsizetype close = text.indexOf(u'}', open);
        if (close < 0) {
            pattern.error = {PatternError::Kind::UnclosedBrace, text.sliced(open + 1).toString()};
            break;
        }
        std::optional<PatternPiece> piece =
            fieldPiece(text.sliced(open + 1, close - open - 1), pattern.error);
        if (!piece)
            break;
        pattern.pieces.push_back(std::move(*piece));
        at = close + 1;
    }
    if (!pattern.isValid())
        pattern.pieces.clear();
    return pattern;
}

PatternName composeFromPattern(const NamePattern& pattern, const PatternValues& values)
{
    PatternName composed;
    composed.name.reserve(
        2 * (values.base.size() + values.extension.size() + values.folder.size()) + 32);
    for (const PatternPiece& piece : pattern.pieces) {
        if (!piece.field) {
            composed.name += piece.text;
        } else if (!appendField(composed.name, piece, values)) {
            composed.missing = piece.field;
            return composed;
        }
    }
    return composed;
}

} // namespace vornak
