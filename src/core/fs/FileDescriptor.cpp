#include "core/fs/FileDescriptor.h"

#include <cerrno>

namespace vornak {

bool writeAll(int fd, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t written = ::write(fd, bytes.data(), std::size_t(bytes.size()));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        bytes = bytes.sliced(written);
    }
    return true;
}

QByteArray readAt(int fd, off_t offset, qsizetype length)
{
    QByteArray bytes(length, Qt::Uninitialized);
    qsizetype done = 0;
    while (done < length) {
        const ssize_t got =
            ::pread(fd, bytes.data() + done, std::size_t(length - done), offset + off_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}

} // namespace vornak
