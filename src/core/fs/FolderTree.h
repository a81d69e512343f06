#pragma once

#include "core/fs/FileDescriptor.h"
#include "core/names/FilePattern.h"
#include "core/names/NameList.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace vornak {

// One folder of a tree: where it is below the top folder, its listed files and every name it
// holds (hidden entries and folders included), which a plan needs to know the names taken.
struct TreeFolder {
    QByteArray path; // relative to the top folder, without separators at its ends; "" for it
    NameList files;  // the files the flat list shows for the pattern, in natural order
    NameList names;  // every entry of the folder, in the folder's own order
};

// A folder below the top one that could not be read, and the error that stopped it.
struct UnreadableFolder {
    QByteArray path;
    int error = 0;
};

// The files of a folder and of every folder below it.
struct FolderTree {
    std::vector<TreeFolder> folders;
    std::vector<UnreadableFolder> unreadable;
};

// Walks the tree below top (a path; a trailing separator is fine) through descriptors: each
// folder is opened relative to its parent with O_NOFOLLOW, so a symbolic link to a folder is
// never followed and the walk stays below top; paths are made once per folder, not per file.
// Files are chosen as the flat list chooses them (readListedFiles); folders whose names begin
// with "." are passed over as the folder list passes them. Folders come depth first, a folder
// before those below it, subfolders in natural order. A folder below top that cannot be read
// is reported and the walk goes on; nothing when top itself cannot be read (errno says why).
std::optional<FolderTree> walkFolderTree(const QByteArray& top, const FilePattern& pattern);

// The folder at path below the open folder top ("" for top itself), opened part by part with
// O_NOFOLLOW: a part that is a symbolic link, "." or ".." fails (ELOOP, ENOTDIR or EINVAL in
// errno), so nothing outside top is reached however the tree changed meanwhile.
FileDescriptor openTreeFolder(int top, QByteArrayView path);

} // namespace vornak
