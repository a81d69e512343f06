#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace vornak {

// The file list's wildcard patterns, separated by ";": "*" is any run of characters, "?"
// exactly one, letters match regardless of case, and a "." followed only by "*" also
// matches the end of a name without any ".".
class FilePattern {
public:
    // Nothing when the text cannot be a pattern (it holds a path separator or a NUL).
    static std::optional<FilePattern> parse(const QString& text);
    static FilePattern everything();

    bool matches(QStringView name) const;
    bool matchesEverything() const { return m_matchesEverything; }
    const QString& text() const { return m_text; }

private:
    struct Piece {
        QString folded;
        // The piece without its trailing "." and stars, tried on names without a ".".
        std::optional<QString> withoutDotStars;
    };

    QString m_text;
    std::vector<Piece> m_pieces;
    bool m_matchesEverything = false;
};

// The file list's pattern built from the two filter boxes of the window (and the command line's
// --name-filter and --ext-filter): "*" + name + "*." + extension + "*".
QString filePatternText(const QString& nameFilter, const QString& extensionFilter);

} // namespace vornak
