#pragma once

#include <QByteArray>

#include <optional>

// The few POSIX calls of the program; paths are the exact bytes the file system holds.
namespace vornak::fs {

// Length of a listed-kind file (regular, or a link to one); nothing for anything else.
[[nodiscard]] std::optional<qint64> fileLength(const QByteArray& path);
// A regular file (or a link to one) whose name does not start with ".".
[[nodiscard]] bool isListedFile(const QByteArray& path);
// Removes a listed-kind file outright; refuses a file the user may not write.
[[nodiscard]] bool deleteFile(const QByteArray& path);
// Renames an entry of the open folder dir without ever replacing an existing entry.
[[nodiscard]] bool renameNoReplaceAt(int dir, const QByteArray& from, const QByteArray& to);
QByteArray currentFolder();

} // namespace vornak::fs
