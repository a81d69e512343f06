#include "TestFiles.h"

#include <QString>

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace vornak::test {

bool makeFile(const QByteArray& path, qint64 length)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool sized = ::ftruncate(fd, length) == 0;
    ::close(fd);
    return sized;
}

bool writeFile(const QByteArray& path, const QByteArray& content)
{
    return writeFile(AT_FDCWD, path, content);
}

QByteArray contentOf(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return "(missing)";
    QByteArray content;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        content.append(buffer, got);
    ::close(fd);
    return content;
}

void removeUndecodableFiles(const QByteArray& folder)
{
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (QString::fromUtf8(name).toUtf8() != name)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

bool setImmutable(const QByteArray& path, bool immutable)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0)
        ::close(fd);
    return done;
}

bool writeFile(int dir, const QByteArray& name, const QByteArray& content)
{
    const int fd = ::openat(dir, name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const auto length = static_cast<std::size_t>(content.size());
    const bool written = ::write(fd, content.constData(), length) == ssize_t(length);
    return ::close(fd) == 0 && written;
}

QByteArrayList entryNames(int dir)
{
    QByteArrayList names;
    DIR* listing = ::fdopendir(::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!listing)
        return names;
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArrayView name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name.toByteArray());
    }
    ::closedir(listing);
    return names;
}

QByteArrayList sortedNames(const QByteArray& folder)
{
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    QByteArrayList names = entryNames(dir);
    ::close(dir);
    std::sort(names.begin(), names.end());
    return names;
}

QByteArrayList folderState(int dir)
{
    QByteArrayList state;
    for (const QByteArray& name : entryNames(dir)) {
        QByteArray content(256, '\0');
        const int fd = ::openat(dir, name.constData(), O_RDONLY | O_CLOEXEC);
        const ssize_t got = fd < 0 ? 0 : ::read(fd, content.data(), std::size_t(content.size()));
        if (fd >= 0)
            ::close(fd);
        content.truncate(got < 0 ? 0 : qsizetype(got));
        state.append(name + '=' + content);
    }
    std::sort(state.begin(), state.end());
    return state;
}

QByteArrayList folderState(const QByteArray& folder)
{
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    QByteArrayList state = folderState(dir);
    if (dir >= 0)
        ::close(dir);
    return state;
}

bool makeTree(const QByteArray& root, const QByteArrayList& entries)
{
    for (const QByteArray& entry : entries) {
        const qsizetype link = entry.indexOf('@');
        const QByteArray path = root + '/' + entry.first(link < 0 ? entry.size() : link);
        const bool made = link >= 0
                              ? ::symlink(entry.sliced(link + 1).constData(), path.constData()) == 0
                          : entry.endsWith("!/") ? ::mkdir(path.chopped(2).constData(), 0) == 0
                          : entry.endsWith('/')  ? ::mkdir(path.constData(), 0755) == 0
                                                 : writeFile(path, entry);
        if (!made)
            return false;
    }
    return true;
}

QByteArrayList treeState(const QByteArray& root)
{
    QByteArrayList state;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root.toStdString())) {
        const QByteArray path = QByteArray::fromStdString(entry.path().string());
        state.append(path.sliced(root.size()) + '=' +
                     (entry.is_regular_file() ? contentOf(path) : QByteArray()));
    }
    std::sort(state.begin(), state.end());
    return state;
}

} // namespace vornak::test
