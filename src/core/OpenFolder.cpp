#include "OpenFolder.h"

#include "FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vornak {

OpenFolder::OpenFolder(const QByteArray& path)
    : m_fd(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{}

OpenFolder::~OpenFolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::optional<qint64> OpenFolder::fileLength(const QByteArray& name) const
{
    struct stat st {};
    if (m_fd < 0 || name.isEmpty() || ::fstatat(m_fd, name.constData(), &st, 0) != 0 ||
        !S_ISREG(st.st_mode))
        return std::nullopt;
    return static_cast<qint64>(st.st_size);
}

bool OpenFolder::renameNoReplace(const QByteArray& from, const QByteArray& to) const
{
    return m_fd >= 0 && fs::renameNoReplaceAt(m_fd, from, to);
}

} // namespace vornak
