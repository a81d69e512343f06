#include "FolderReader.h"

#include "NaturalOrder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <memory>

namespace vornak {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

bool hasMode(DIR* dir, const dirent* entry, mode_t kind)
{
    switch (entry->d_type) {
    case DT_REG:
        return kind == S_IFREG;
    case DT_DIR:
        return kind == S_IFDIR;
    case DT_LNK:
    case DT_UNKNOWN: {
        struct stat st {};
        return ::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && (st.st_mode & S_IFMT) == kind;
    }
    default:
        return false;
    }
}

template <typename Accept>
std::optional<std::vector<FileEntry>> readEntries(const QByteArray& folder, mode_t kind,
                                                  Accept accept)
{
    std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.constData()));
    if (!dir)
        return std::nullopt;
    std::vector<FileEntry> entries;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (entry->d_name[0] == '.' || !hasMode(dir.get(), entry, kind))
            continue;
        QByteArray name(entry->d_name);
        QString displayName = QString::fromUtf8(name);
        if (accept(displayName))
            entries.push_back({std::move(name), std::move(displayName)});
    }
    sortNaturally(entries);
    return entries;
}

} // namespace

std::optional<std::vector<FileEntry>> readListedFiles(const QByteArray& folder,
                                                      const FilePattern& pattern)
{
    return readEntries(folder, S_IFREG,
                       [&pattern](const QString& name) { return pattern.matches(name); });
}

std::optional<std::vector<FileEntry>> readSubfolders(const QByteArray& folder)
{
    return readEntries(folder, S_IFDIR, [](const QString&) { return true; });
}

} // namespace vornak
