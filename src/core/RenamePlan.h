#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace vornak {

// One file of a run: its current name and the name it is to receive, both bare names.
struct Rename {
    QByteArray oldName;
    QByteArray newName;
};

// True for a name that addresses an entry of the folder itself: not empty, not "." or "..",
// without a separator or a NUL byte that would cut the name short.
bool isEntryName(QByteArrayView name);

// The renames of a run in the order they are to be done. Renames that change nothing or
// whose new name could not be an entry of the folder are dropped. The rest keep their list
// order, except that a rename onto the current name of another file of the run follows that
// file's own rename, so a chain such as a -> x(1), x(1) -> x(2), x(2) -> x(3) resolves
// completely. Renames in a cycle, or waiting on one, are dropped: those files keep their names.
std::vector<Rename> planRenames(std::vector<Rename> wanted);

} // namespace vornak
