#include "core/fs/FolderTree.h"

#include "core/fs/DirectoryStream.h"
#include "core/fs/EntryName.h"
#include "core/names/NaturalOrder.h"

#include <QList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace vornak {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

enum class EntryKind { File, Folder, Other };

// A link counts as the file it names, as in the flat list; a link to a folder is no folder.
EntryKind kindOf(int dir, const dirent& entry)
{
    switch (entry.d_type) {
    case DT_REG:
        return EntryKind::File;
    case DT_DIR:
        return EntryKind::Folder;
    case DT_LNK:
    case DT_UNKNOWN: {
        struct stat st {};
        if (entry.d_type == DT_UNKNOWN &&
            ::fstatat(dir, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode))
            return EntryKind::Folder;
        return ::fstatat(dir, entry.d_name, &st, 0) == 0 && S_ISREG(st.st_mode) ? EntryKind::File
                                                                                : EntryKind::Other;
    }
    default:
        return EntryKind::Other;
    }
}

class TreeWalk {
public:
    explicit TreeWalk(const FilePattern& pattern) : m_pattern(pattern) {}

    // Reads the open folder at path and everything below it.
    void walk(FileDescriptor dir, const QByteArray& path)
    {
        DirectoryStream stream = DirectoryStream::adopting(std::move(dir));
        if (!stream.isOpen()) {
            m_tree.unreadable.push_back({path, errno});
            return;
        }
        TreeFolder folder{path, {}, {}};
        NameList subfolders;
        // readdir tells the end from an error only by errno.
        for (errno = 0;; errno = 0) {
            const dirent* entry = stream.next();
            if (!entry)
                break;
            const QByteArrayView name = entryName(*entry);
            folder.names.append(name);
            if (name.front() == '.')
                continue;
            switch (kindOf(stream.fd(), *entry)) {
            case EntryKind::File:
                if (m_pattern.matchesEverything() || m_pattern.matches(QString::fromUtf8(name)))
                    folder.files.append(name);
                break;
            case EntryKind::Folder:
                subfolders.append(name);
                break;
            case EntryKind::Other:
                break;
            }
        }
        if (errno != 0) {
            m_tree.unreadable.push_back({path, errno});
            return;
        }
        sortNaturally(folder.files);
        sortNaturally(subfolders);
        m_tree.folders.push_back(std::move(folder));
        for (std::size_t k = 0; k < subfolders.size(); ++k) {
            const QByteArray name = subfolders.nameAt(k);
            const QByteArray below = path.isEmpty() ? name : path + '/' + name;
            FileDescriptor child(::openat(stream.fd(), name.constData(), kFolderFlags));
            if (!child.isOpen())
                m_tree.unreadable.push_back({below, errno});
            else
                walk(std::move(child), below);
        }
    }

    FolderTree take() { return std::move(m_tree); }

private:
    const FilePattern& m_pattern;
    FolderTree m_tree;
};

} // namespace

std::optional<FolderTree> walkFolderTree(const QByteArray& top, const FilePattern& pattern)
{
    FileDescriptor dir(::open(top.constData(), kFolderFlags & ~O_NOFOLLOW));
    if (!dir.isOpen())
        return std::nullopt;
    TreeWalk walk(pattern);
    walk.walk(std::move(dir), {});
    FolderTree tree = walk.take();
    if (!tree.unreadable.empty() && tree.unreadable.front().path.isEmpty()) {
        errno = tree.unreadable.front().error;
        return std::nullopt;
    }
    return tree;
}

FileDescriptor openTreeFolder(int top, QByteArrayView path)
{
    FileDescriptor dir(::openat(top, ".", kFolderFlags));
    if (path.isEmpty())
        return dir;
    for (const QByteArray& part : path.toByteArray().split('/')) {
        if (part.isEmpty() || part == "." || part == ".." || part.contains('\0')) {
            errno = EINVAL;
            return {};
        }
        if (!dir.isOpen())
            return dir;
        dir = FileDescriptor(::openat(dir.get(), part.constData(), kFolderFlags));
    }
    return dir;
}

} // namespace vornak
