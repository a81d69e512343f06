#pragma once

#include "core/fs/RenameResult.h"
#include "core/fs/SystemCalls.h"

#include <QByteArray>

#include <optional>

// The few POSIX calls of the program; paths are the exact bytes the file system holds.
namespace vornak::fs {

// Length of a listed-kind file (regular, or a link to one); nothing for anything else.
[[nodiscard]] std::optional<qint64> fileLength(const QByteArray& path);
// A regular file (or a link to one) whose name does not start with ".".
[[nodiscard]] bool isListedFile(const QByteArray& path);
// Why the file may not be deleted: ENOENT for anything but a listed-kind file, the error of
// the write check for one the user may not write (the counterpart of a read-only file; like
// rm, the program does not remove it without being asked specifically); 0 when it may.
[[nodiscard]] int deleteRefusal(const QByteArray& path);
// Removes a listed-kind file outright, unless deleteRefusal; 0, or the error that stopped it.
[[nodiscard]] int deleteFile(const QByteArray& path);
// The way a volume moves without replacing, as far as moves there have shown it.
enum class NoReplaceWay { Flag, Link, Placeholder };

// Moves from (relative to fromDir) to to (relative to toDir, on the same volume) without ever
// replacing an existing entry, on any file system: with the no-replace flag; where that is
// refused, by a hard link; where links are refused too (exFAT or FAT through FUSE, sshfs), by
// claiming the new name with an empty file of its own first and moving over that. Gives 0, or
// the error of the step that failed. way, kept by the caller for many moves on one volume,
// starts at Flag and learns from each move that succeeded which ways the volume refuses, so
// that later moves there no longer ask for them.
[[nodiscard]] int moveNoReplace(int fromDir, const QByteArray& from, int toDir,
                                const QByteArray& to, const SystemCalls& calls = kSystemCalls,
                                NoReplaceWay* way = nullptr);
// Renames an entry of the open folder dir by moveNoReplace. Case-only renames are the open
// folder's job.
[[nodiscard]] RenameResult renameNoReplaceAt(int dir, const QByteArray& from, const QByteArray& to,
                                             const SystemCalls& calls = kSystemCalls,
                                             NoReplaceWay* way = nullptr);
// Why renaming the entry from of the open folder dir failed with error.
[[nodiscard]] RenameOutcome renameFailure(int error, int dir, const QByteArray& from);
QByteArray currentFolder();

} // namespace vornak::fs
