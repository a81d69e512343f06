#pragma once

#include <QByteArray>

namespace vornak {

// FolderPath: the file list's folder with exactly one trailing separator. Every file is
// addressed as this text immediately followed by its entry name.
class FolderPath {
public:
    void update(const QByteArray& fileListPath);
    const QByteArray& bytes() const { return m_bytes; }
    QByteArray pathOf(const QByteArray& entryName) const { return m_bytes + entryName; }

private:
    QByteArray m_bytes;
};

} // namespace vornak
