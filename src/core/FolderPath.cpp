#include "FolderPath.h"

#include "NativePath.h"

namespace vornak {

void FolderPath::update(const QByteArray& fileListPath)
{
    m_bytes = fileListPath.isEmpty() ? QByteArray() : withTrailingSeparator(fileListPath);
}

} // namespace vornak
