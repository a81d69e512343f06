#pragma once

#include <QByteArray>
#include <QDateTime>

// What the desktop's trash reads to show an entry and put it back.
namespace vornak {

// The .trashinfo text of an entry: its original path percent-encoded as URLs are (bytes kept
// exactly, "/" left as it is) and the local time it was deleted.
QByteArray trashInfoText(const QByteArray& originalPath, const QDateTime& deleted);

// The name an entry takes in the trash on the given attempt (the first is 1): its own name,
// then "name.2", "name.3" and so on; cut short where needed so that the name of its .trashinfo
// still fits the 255 bytes of a file name, never inside a UTF-8 character.
QByteArray trashEntryName(const QByteArray& name, int attempt);

inline constexpr QByteArrayView kTrashInfoSuffix = ".trashinfo";

} // namespace vornak
