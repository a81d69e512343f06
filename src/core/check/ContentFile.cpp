#include "core/check/ContentFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace vornak {

namespace {

bool sameState(const struct stat& now, const EntryStat& then)
{
    return S_ISREG(now.st_mode) && now.st_dev == then.device && now.st_ino == then.inode &&
           now.st_size == then.length && now.st_mtim.tv_sec == then.modified.tv_sec &&
           now.st_mtim.tv_nsec == then.modified.tv_nsec;
}

} // namespace

ReadProblem readProblemOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ReadProblem::Missing;
    case EACCES:
    case EPERM:
        return ReadProblem::NoPermission;
    default:
        return ReadProblem::ReadError;
    }
}

bool ContentFile::open(int folder, const NameList& entries)
{
    // Should the name have become a pipe since it was looked at, opening it does not wait.
    m_fd = FileDescriptor(m_calls->openat(folder, entries.nameAt(m_names.front().entry).constData(),
                                          O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0));
    if (!m_fd.isOpen())
        failed(errno);
    return m_fd.isOpen();
}

void ContentFile::close()
{
    m_fd.reset();
}

bool ContentFile::read(qint64 offset, char* buffer, qint64 size)
{
    while (size > 0) {
        const ssize_t got = m_calls->pread(m_fd.get(), buffer, std::size_t(size), offset);
        if (got > 0) {
            buffer += got;
            offset += got;
            size -= got;
        } else if (got == 0) {
            m_fate = Fate::Changed;
            return false;
        } else if (errno != EINTR) {
            failed(errno);
            return false;
        }
    }
    return true;
}

bool ContentFile::endsAt(qint64 offset)
{
    char byte;
    ssize_t got;
    do {
        got = m_calls->pread(m_fd.get(), &byte, 1, offset);
    } while (got < 0 && errno == EINTR);
    if (got < 0)
        failed(errno);
    else if (got > 0)
        m_fate = Fate::Changed;
    return got == 0;
}

qint64 ContentFile::dataFrom(qint64 offset)
{
    if (m_names.front().diskBytes >= length() || (offset >= m_dataAt && offset < m_holeAt))
        return offset;
    if (offset < m_dataAt)
        return m_dataAt;
    // No more data (or no way to ask) ends the known region at the file's end.
    const off_t data = ::lseek(m_fd.get(), offset, SEEK_DATA);
    if (data < 0) {
        m_dataAt = errno == ENXIO ? length() : offset;
        m_holeAt = length();
        return m_dataAt;
    }
    const off_t hole = ::lseek(m_fd.get(), data, SEEK_HOLE);
    m_dataAt = std::min<qint64>(data, length());
    m_holeAt = hole < 0 ? length() : std::max<qint64>(hole, m_dataAt + 1);
    return m_dataAt;
}

bool ContentFile::unchanged(int folder, const NameList& entries)
{
    for (const EntryStat& name : m_names) {
        struct stat now {};
        if (::fstatat(folder, entries.nameAt(name.entry).constData(), &now, 0) != 0 ||
            !sameState(now, name)) {
            m_fate = Fate::Changed;
            return false;
        }
    }
    return true;
}

void ContentFile::setEqual(std::uint32_t classId)
{
    m_fate = Fate::Equal;
    m_classId = classId;
}

qint64 ContentFile::takeShare(qint64 bytes)
{
    const qint64 taken = std::min(bytes, m_share);
    m_share -= taken;
    return taken;
}

void ContentFile::failed(int error)
{
    if (stillTheFileFirstSeen()) {
        m_fate = Fate::Unreadable;
        m_problem = readProblemOf(error);
    } else {
        m_fate = Fate::Changed;
    }
}

bool ContentFile::stillTheFileFirstSeen() const
{
    struct stat now {};
    return !m_fd.isOpen() ||
           (m_calls->fstat(m_fd.get(), &now) == 0 && sameState(now, m_names.front()));
}

} // namespace vornak
