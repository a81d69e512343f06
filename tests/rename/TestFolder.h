#pragma once

#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace vornak::test {

using Folder = QMap<QByteArray, QByteArray>;

inline QByteArray pathOf(const QTemporaryDir& dir)
{
    return QFile::encodeName(dir.path());
}

// Every file holds its own first name, so the folder shows where each file went. Files are
// made and read by the exact bytes of their names.
inline void createFiles(const QTemporaryDir& dir, const QList<QByteArray>& names)
{
    for (const QByteArray& name : names) {
        const int fd = ::open((pathOf(dir) + '/' + name).constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, name.constData(), std::size_t(name.size())), ssize_t(name.size()));
        ::close(fd);
    }
}

inline QByteArray contentOf(const QByteArray& path)
{
    QByteArray content(512, '\0');
    const int fd = ::open(path.constData(), O_RDONLY);
    const ssize_t read = fd < 0 ? 0 : ::read(fd, content.data(), std::size_t(content.size()));
    ::close(fd);
    content.truncate(read);
    return content;
}

// Name -> content of every entry.
inline Folder contentsOf(const QTemporaryDir& dir)
{
    Folder folder;
    DIR* stream = ::opendir(pathOf(dir).constData());
    while (const dirent* entry = ::readdir(stream)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            folder.insert(name, contentOf(pathOf(dir) + '/' + name));
    }
    ::closedir(stream);
    return folder;
}

} // namespace vornak::test
