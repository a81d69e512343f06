#include "core/fs/FileSystem.h"

#include "core/fs/FileDescriptor.h"
#include "core/names/NativePath.h"
#include "core/plan/RenamePlan.h"

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>

namespace vornak::fs {

namespace {

bool statFollowing(const QByteArray& path, struct stat& st)
{
    return !path.isEmpty() && ::stat(path.constData(), &st) == 0;
}

bool hiddenName(const QByteArray& path)
{
    return fileNameOf(path).startsWith('.');
}

bool entryPresent(int dir, const QByteArray& name)
{
    struct stat st {};
    return ::fstatat(dir, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

bool refusesFlag(int error)
{
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

bool refusesLink(int error)
{
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EMLINK;
}

// Removes the placeholder only while it is still the empty file made for the rename: what
// anyone else has put under the name since stays.
void removePlaceholder(int dir, const QByteArray& name, const struct stat& made,
                       const SystemCalls& calls)
{
    struct stat now {};
    if (::fstatat(dir, name.constData(), &now, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(now.st_mode) &&
        now.st_dev == made.st_dev && now.st_ino == made.st_ino && now.st_size == 0)
        calls.unlinkat(dir, name.constData(), 0);
}

// The file is closed before the rename: renaming over a file still open leaves .fuse_hidden
// files behind on FUSE. Gives the error of the step that failed, 0 on success.
int renameOverPlaceholder(int fromDir, const QByteArray& from, int toDir, const QByteArray& to,
                          const SystemCalls& calls)
{
    FileDescriptor placeholder(calls.openat(
        toDir, to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!placeholder.isOpen())
        return errno;
    struct stat made {};
    const bool identified = ::fstat(placeholder.get(), &made) == 0;
    placeholder.reset();
    if (calls.renameat2(fromDir, from.constData(), toDir, to.constData(), 0) == 0)
        return 0;
    const int error = errno;
    if (identified)
        removePlaceholder(toDir, to, made, calls);
    return error;
}

} // namespace

std::optional<qint64> fileLength(const QByteArray& path)
{
    struct stat st {};
    if (!statFollowing(path, st) || !S_ISREG(st.st_mode))
        return std::nullopt;
    return static_cast<qint64>(st.st_size);
}

bool isListedFile(const QByteArray& path)
{
    struct stat st {};
    return statFollowing(path, st) && S_ISREG(st.st_mode) && !hiddenName(path);
}

int deleteRefusal(const QByteArray& path)
{
    if (!isListedFile(path))
        return ENOENT;
    return ::access(path.constData(), W_OK) == 0 ? 0 : errno;
}

int deleteFile(const QByteArray& path)
{
    if (const int refusal = deleteRefusal(path))
        return refusal;
    return ::unlink(path.constData()) == 0 ? 0 : errno;
}

RenameOutcome renameFailure(int error, int dir, const QByteArray& from)
{
    switch (error) {
    case EEXIST:
    case ENOTEMPTY:
        return RenameOutcome::TargetExists;
    case ENAMETOOLONG:
        return RenameOutcome::NameTooLong;
    case EACCES:
    case EPERM:
    case EROFS:
        return RenameOutcome::NoPermission;
    case EINVAL:
    case EILSEQ:
        return RenameOutcome::NameNotAllowed;
    case ENOENT:
        // exfat-fuse answers so for a name it cannot store while the file is still there.
        return entryPresent(dir, from) ? RenameOutcome::NameNotAllowed : RenameOutcome::SourceGone;
    default:
        return RenameOutcome::Other;
    }
}

int moveNoReplace(int fromDir, const QByteArray& from, int toDir, const QByteArray& to,
                  const SystemCalls& calls, NoReplaceWay* way)
{
    const NoReplaceWay known = way ? *way : NoReplaceWay::Flag;
    if (known == NoReplaceWay::Flag) {
        if (calls.renameat2(fromDir, from.constData(), toDir, to.constData(), RENAME_NOREPLACE) ==
            0)
            return 0;
        if (const int error = errno; !refusesFlag(error))
            return error;
    }
    // A hard link fails on an existing entry as the flag does.
    if (known != NoReplaceWay::Placeholder) {
        if (calls.linkat(fromDir, from.constData(), toDir, to.constData(), 0) == 0) {
            if (calls.unlinkat(fromDir, from.constData(), 0) == 0) {
                if (way)
                    *way = NoReplaceWay::Link;
                return 0;
            }
            const int error = errno;
            calls.unlinkat(toDir, to.constData(), 0);
            return error;
        }
        if (const int error = errno; !refusesLink(error))
            return error;
    }
    const int linkError = errno;
    const int error = renameOverPlaceholder(fromDir, from, toDir, to, calls);
    // Too many links is this file's own limit, not the volume's.
    if (error == 0 && way && known != NoReplaceWay::Placeholder)
        *way = linkError == EMLINK ? NoReplaceWay::Link : NoReplaceWay::Placeholder;
    return error;
}

RenameResult renameNoReplaceAt(int dir, const QByteArray& from, const QByteArray& to,
                               const SystemCalls& calls, NoReplaceWay* way)
{
    if (!isEntryName(from) || !isEntryName(to))
        return {RenameOutcome::NameNotAllowed};
    const int error = moveNoReplace(dir, from, dir, to, calls, way);
    if (error == 0)
        return {RenameOutcome::Renamed};
    return {renameFailure(error, dir, from), RenameRoute::Direct, error};
}

QByteArray currentFolder()
{
    return QFile::encodeName(QDir::currentPath());
}

} // namespace vornak::fs
