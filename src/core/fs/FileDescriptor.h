#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <sys/types.h>
#include <unistd.h>

#include <utility>

namespace vornak {

// An open file descriptor closed with its owner, so that no early return leaks one.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    void reset()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    // Hands the descriptor to a new owner, such as a directory stream.
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd = -1;
};

// Writes all of bytes, however many calls it takes; false with errno set when it cannot.
[[nodiscard]] bool writeAll(int fd, QByteArrayView bytes);
// Up to length bytes from offset on; fewer at the end of the file or on an error.
QByteArray readAt(int fd, off_t offset, qsizetype length);

} // namespace vornak
