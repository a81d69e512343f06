#include "FileSystem.h"

#include "NativePath.h"

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

// A case-only rename on a volume that ignores case finds its own file as the target.
bool sameFileUnderOtherCase(int dir, const QByteArray& from, const QByteArray& to)
{
    struct stat a {};
    struct stat b {};
    return from != to && from.compare(to, Qt::CaseInsensitive) == 0 &&
           ::fstatat(dir, from.constData(), &a, AT_SYMLINK_NOFOLLOW) == 0 &&
           ::fstatat(dir, to.constData(), &b, AT_SYMLINK_NOFOLLOW) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
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

bool deleteFile(const QByteArray& path)
{
    // The counterpart of a read-only file is one the user may not write; like rm, do not
    // remove it without being asked specifically.
    if (!isListedFile(path) || ::access(path.constData(), W_OK) != 0)
        return false;
    return ::unlink(path.constData()) == 0;
}

bool renameNoReplaceAt(int dir, const QByteArray& from, const QByteArray& to)
{
    if (from.isEmpty() || to.isEmpty())
        return false;
    if (::renameat2(dir, from.constData(), dir, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST && sameFileUnderOtherCase(dir, from, to))
        return ::renameat(dir, from.constData(), dir, to.constData()) == 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return false;
    // The file system does not know the flag: a hard link fails on an existing target too.
    if (::linkat(dir, from.constData(), dir, to.constData(), 0) != 0)
        return false;
    if (::unlinkat(dir, from.constData(), 0) != 0) {
        ::unlinkat(dir, to.constData(), 0);
        return false;
    }
    return true;
}

QByteArray currentFolder()
{
    return QFile::encodeName(QDir::currentPath());
}

} // namespace vornak::fs
