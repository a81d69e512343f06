#include "Platform.h"

#include "core/FileSystem.h"

namespace vornak {

std::optional<qint64> Platform::fileLength(const QByteArray& path) const
{
    return fs::fileLength(path);
}

bool Platform::probe(const QByteArray& path, ProbeMask mask) const
{
    return mask == ProbeMask::AnyEntry ? fs::entryExists(path) : fs::isListedFile(path);
}

bool Platform::deleteFile(const QByteArray& path) const
{
    return fs::deleteFile(path);
}

} // namespace vornak
