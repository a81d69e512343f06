#include "FolderPath.h"

#include "NativePath.h"

namespace vornak {

void FolderPath::update(const QByteArray& fileListPath)
{
    m_bytes = fileListPath.isEmpty() ? QByteArray() : withTrailingSeparator(fileListPath);
}

QString FolderPath::display() const
{
    return displayText(m_bytes);
}

} // namespace vornak
