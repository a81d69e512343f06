#pragma once

#include "core/fs/FileDescriptor.h"

#include <QByteArray>

#include <dirent.h>

namespace vornak {

// A folder's listing read entry by entry, closed with its owner, so that no early return leaks
// it.
class DirectoryStream {
public:
    // The folder at path; not open when it cannot be read (errno says why).
    explicit DirectoryStream(const QByteArray& path);
    // The open folder dir, read through a descriptor of its own: reading moves the position.
    static DirectoryStream ofOpenFolder(int dir);
    // The folder dir, taken over: closed with the stream; not open when it cannot be read.
    static DirectoryStream adopting(FileDescriptor dir);
    ~DirectoryStream();
    DirectoryStream(DirectoryStream&& other) noexcept;
    DirectoryStream& operator=(DirectoryStream&& other) noexcept;

    bool isOpen() const { return m_dir != nullptr; }
    // The descriptor of the folder, to address its entries.
    int fd() const;
    // The next entry, "." and ".." left out; nothing at the end.
    const dirent* next();

private:
    explicit DirectoryStream(DIR* dir) : m_dir(dir) {}

    DIR* m_dir = nullptr;
};

} // namespace vornak
