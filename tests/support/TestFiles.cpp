#include "TestFiles.h"

#include <QString>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

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
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written =
        ::write(fd, content.constData(), std::size_t(content.size())) == content.size();
    ::close(fd);
    return written;
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

} // namespace vornak::test
