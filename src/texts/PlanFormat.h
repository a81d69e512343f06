#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace vornak {

// One file of a planned batch as the plan text holds it. Names and folder are exact bytes.
struct PlanLine {
    QByteArray number;
    QByteArray folder;
    QByteArray oldName;
    QByteArray newName;
    QByteArray status; // UTF-8
};

// The plan text: a header line naming the columns, then one line per file, fields separated by
// tabs. A tab, a line break, a carriage return and a backslash in a field are written \t, \n, \r
// and \\, each byte that is not part of valid UTF-8 as \xHH, so any name goes out and comes back
// exactly. The header stays in the program's own words whatever the language, so that a list
// written in one language is read in another.
QByteArray planHeader();
QByteArray planLineText(const PlanLine& line);

// True when the bytes are valid UTF-8 throughout.
bool isValidUtf8(QByteArrayView bytes);

// A field written as the plan text writes it, and read back.
QByteArray escapedField(QByteArrayView field);
// Nothing for an escape the writer never makes (a lone backslash, \x without two hex digits).
std::optional<QByteArray> unescapedField(QByteArrayView text);

// A line of the text (without its line break) split into its fields and unescaped; nothing when
// it does not hold the five fields or a field is not written as the writer writes it.
std::optional<PlanLine> readPlanLine(QByteArrayView text);
bool isPlanHeader(QByteArrayView text);

} // namespace vornak
