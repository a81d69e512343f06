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
