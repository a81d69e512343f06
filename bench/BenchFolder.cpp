#include "BenchFolder.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>

namespace vornak::bench {

namespace {

// Sizes are written as holes: the folder is built fast and takes no disk space.
void createFile(const QByteArray& path, off_t size)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::ftruncate(fd, size) != 0)
        throw std::runtime_error("cannot create " + path.toStdString());
    ::close(fd);
}

} // namespace

BenchFolder::BenchFolder(int files, const QString& parent)
    : m_dir(parent.isEmpty() ? QDir::tempPath() + QStringLiteral("/vornak-bench-XXXXXX")
                             : parent + QStringLiteral("/vornak-bench-XXXXXX")),
      m_files(files)
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    const QByteArray folder = path() + '/';
    for (int i = 0; i < files; ++i) {
        const QByteArray name = QStringLiteral("照片 %1 report.dat").arg(i).toUtf8();
        // One file in ten shares its size with nine others; the rest have distinct sizes.
        const off_t size = i % 10 == 0 ? off_t(1000 + (i / 100) % 1000) : off_t(100000 + i);
        createFile(folder + name, size);
    }
}

QByteArray BenchFolder::path() const
{
    return QFile::encodeName(m_dir.path());
}

} // namespace vornak::bench
