#pragma once

#include "FileEntry.h"

#include <QByteArray>

#include <optional>
#include <vector>

// The few POSIX calls of the program; paths are the exact bytes the file system holds.
namespace vornak::fs {

// Length of a listed-kind file (regular, or a link to one); nothing for anything else.
std::optional<qint64> fileLength(const QByteArray& path);
// The lengths of many entries of one folder, as fileLength gives them, in the order of the entries.
// Each entry is looked up relative to the open folder, whose own path is resolved once.
std::vector<std::optional<qint64>> fileLengthsIn(const QByteArray& folder,
                                                 const std::vector<FileEntry>& entries);
bool entryExists(const QByteArray& path);
// A regular file (or a link to one) whose name does not start with ".".
bool isListedFile(const QByteArray& path);
bool isReadableDirectory(const QByteArray& path);
// Removes a listed-kind file outright; refuses a file the user may not write.
bool deleteFile(const QByteArray& path);
// Renames without ever replacing an existing entry.
bool renameNoReplace(const QByteArray& from, const QByteArray& to);
QByteArray currentFolder();

} // namespace vornak::fs
