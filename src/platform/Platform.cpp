#include "Platform.h"

#include "FileSystem.h"

namespace vornak {

std::optional<qint64> Platform::fileLength(const QByteArray& path) const
{
    return fs::fileLength(path);
}

std::vector<std::optional<qint64>>
Platform::fileLengths(const QByteArray& folder, const std::vector<FileEntry>& entries) const
{
    return fs::fileLengthsIn(folder, entries);
}

bool Platform::probe(const QByteArray& path, ProbeMask mask) const
{
    return mask == ProbeMask::AnyEntry ? fs::entryExists(path) : fs::isListedFile(path);
}

bool Platform::deleteFile(const QByteArray& path) const
{
    return fs::deleteFile(path);
}

bool Platform::renameNoReplace(const QByteArray& from, const QByteArray& to) const
{
    return fs::renameNoReplace(from, to);
}

} // namespace vornak
