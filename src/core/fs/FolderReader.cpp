#include "core/fs/FolderReader.h"

#include "core/fs/DirectoryStream.h"
#include "core/fs/EntryName.h"
#include "core/names/NaturalOrder.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace vornak {

namespace {

bool hasMode(const DirectoryStream& dir, const dirent* entry, mode_t kind)
{
    switch (entry->d_type) {
    case DT_REG:
        return kind == S_IFREG;
    case DT_DIR:
        return kind == S_IFDIR;
    case DT_LNK:
    case DT_UNKNOWN: {
        struct stat st {};
        return ::fstatat(dir.fd(), entry->d_name, &st, 0) == 0 && (st.st_mode & S_IFMT) == kind;
    }
    default:
        return false;
    }
}

// Filters with the text the user sees, decoded name by name into a short-lived string, and
// keeps only the bytes.
template <typename Accept>
std::optional<NameList> readNames(const QByteArray& folder, mode_t kind, Accept accept)
{
    DirectoryStream dir(folder);
    if (!dir.isOpen())
        return std::nullopt;
    NameList names;
    while (const dirent* entry = dir.next()) {
        if (entry->d_name[0] == '.' || !hasMode(dir, entry, kind))
            continue;
        const QByteArrayView name = entryName(*entry);
        if (accept(name))
            names.append(name);
    }
    sortNaturally(names);
    return names;
}

} // namespace

std::optional<NameList> readListedFiles(const QByteArray& folder, const FilePattern& pattern)
{
    return readNames(folder, S_IFREG, [&pattern](QByteArrayView name) {
        return pattern.matchesEverything() || pattern.matches(QString::fromUtf8(name));
    });
}

std::optional<NameList> readSubfolders(const QByteArray& folder)
{
    return readNames(folder, S_IFDIR, [](QByteArrayView) { return true; });
}

} // namespace vornak
