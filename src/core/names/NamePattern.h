#pragma once

#include "core/names/DateTexts.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace vornak {

// The fields a name pattern writes between braces: {name}, {ext}, {n}, {folder}, {date}, and
// the audio tags {artist}, {album}, {title}, {track}, {year}.
enum class PatternField : std::uint8_t {
    Name,
    Ext,
    Number,
    Folder,
    Date,
    Artist,
    Album,
    Title,
    Track,
    Year
};

// The field as a pattern names it, without braces.
QString patternFieldName(PatternField field);

// One piece of a pattern: text written as it stands, or a field with its argument.
struct PatternPiece {
    std::optional<PatternField> field; // none: literal text
    QString text;                      // the literal text, or a date field's format
    std::optional<int> width;          // {n:WIDTH}

    friend bool operator==(const PatternPiece&, const PatternPiece&) = default;
};

struct PatternError {
    // An unknown field, a brace left open, or an argument the field does not take.
    enum class Kind { None, UnknownField, UnclosedBrace, BadArgument };
    Kind kind = Kind::None;
    QString field; // what stood between the braces

    friend bool operator==(const PatternError&, const PatternError&) = default;
};

// A pattern read once for a whole batch. "{{" writes "{"; "}" outside a field is plain text.
struct NamePattern {
    std::vector<PatternPiece> pieces;
    PatternError error;

    bool isValid() const { return error.kind == PatternError::Kind::None; }
    bool uses(PatternField field) const;
    // Any of the audio tags.
    bool usesTags() const;
};

// An empty text gives an empty pattern: no pieces, valid.
NamePattern parseNamePattern(QStringView text);

// A file's audio tags; empty texts and zeros where the file has none.
struct AudioTags {
    QString artist;
    QString album;
    QString title;
    int track = 0;
    int year = 0;

    friend bool operator==(const AudioTags&, const AudioTags&) = default;
};

// What one file gives the fields.
struct PatternValues {
    QStringView base;
    QStringView extension; // with its dot; empty where the name has none
    qint64 number = 0;
    int width = 0; // {n} without a width of its own
    QStringView folder;
    // In milliseconds since the epoch; made a local time only where the pattern writes it.
    std::optional<qint64> date;
    const AudioTags* tags = nullptr; // none: not read, or not an audio file
    // Writes the date in the batch's zone; none: in the system's local time. A batch passes
    // the system's zone read once: local time asks the C library, which rereads the zone each
    // time.
    DateTexts* dateTexts = nullptr;
};

// The name a valid pattern gives, or the first field the file lacks: a date, a folder name or
// a tag it does not have. {name} and {ext} are never lacking, only empty.
struct PatternName {
    QString name;
    std::optional<PatternField> missing;
};
PatternName composeFromPattern(const NamePattern& pattern, const PatternValues& values);

} // namespace vornak
