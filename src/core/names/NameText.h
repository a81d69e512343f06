#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Text views of file names that give back their exact bytes. A name that is not valid UTF-8
// still goes through text rules (find and replace, letter case): each byte that is not part of
// valid UTF-8 becomes a private-use code point of its own, which no rule changes and which
// turns back into that byte. A name that really holds one of those code points has its bytes
// escaped the same way, so the round trip is exact for every name.
namespace vornak {

// decodeName and encodeName are inverse: encodeName(decodeName(name)) == name for any bytes.
QString decodeName(QByteArrayView name);
QByteArray encodeName(const QString& text);

// The name as text with each byte that is not part of valid UTF-8 written as \xHH, so that two
// such names never look alike.
QString escapedName(QByteArrayView name);

// The name with its letter case folded, for comparing names as a case-insensitive file system
// does; bytes that are not UTF-8 stay as they are.
QByteArray caseFoldedName(QByteArrayView name);
// True when the two names are equal but for letter case (and not equal).
bool differsOnlyInCase(QByteArrayView a, QByteArrayView b);

// The length of the name in UTF-16 units, as exFAT counts it; a byte that is not UTF-8 counts
// as one unit.
qsizetype utf16Length(QByteArrayView name);

// Where the base name of a decoded name ends: at its last ".", or at its end when it holds none.
qsizetype baseNameEnd(const QString& name);

} // namespace vornak
