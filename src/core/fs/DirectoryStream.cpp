#include "core/fs/DirectoryStream.h"

#include <fcntl.h>

#include <cstring>
#include <utility>

namespace vornak {

DirectoryStream::DirectoryStream(const QByteArray& path) : m_dir(::opendir(path.constData())) {}

DirectoryStream DirectoryStream::ofOpenFolder(int dir)
{
    FileDescriptor own(::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    DIR* const stream = own.isOpen() ? ::fdopendir(own.get()) : nullptr;
    if (stream)
        own.release();
    return DirectoryStream(stream);
}

DirectoryStream DirectoryStream::adopting(FileDescriptor dir)
{
    DIR* const stream = dir.isOpen() ? ::fdopendir(dir.get()) : nullptr;
    if (stream)
        dir.release();
    return DirectoryStream(stream);
}

DirectoryStream::~DirectoryStream()
{
    if (m_dir)
        ::closedir(m_dir);
}

DirectoryStream::DirectoryStream(DirectoryStream&& other) noexcept
    : m_dir(std::exchange(other.m_dir, nullptr))
{}

DirectoryStream& DirectoryStream::operator=(DirectoryStream&& other) noexcept
{
    std::swap(m_dir, other.m_dir);
    return *this;
}

int DirectoryStream::fd() const
{
    return m_dir ? ::dirfd(m_dir) : -1;
}

const dirent* DirectoryStream::next()
{
    while (m_dir) {
        const dirent* entry = ::readdir(m_dir);
        if (!entry ||
            (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0))
            return entry;
    }
    return nullptr;
}

} // namespace vornak
