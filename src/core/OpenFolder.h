#pragma once

#include <QByteArray>

#include <optional>

namespace vornak {

// A folder held open while many of its entries are handled: each entry is addressed relative
// to it, so the folder's own path is resolved once instead of once per entry.
class OpenFolder {
public:
    // A folder that cannot be opened fails every operation.
    explicit OpenFolder(const QByteArray& path);
    ~OpenFolder();
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    // Length of a listed-kind entry (a regular file or a link to one).
    std::optional<qint64> fileLength(const QByteArray& name) const;
    // Renames the entry within the folder without ever replacing an existing one.
    bool renameNoReplace(const QByteArray& from, const QByteArray& to) const;

private:
    int m_fd;
};

} // namespace vornak
