#pragma once

#include "FileEntry.h"
#include "FilePattern.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace vornak {

// The listed files of a folder that match the pattern, in natural order: regular files and
// links to them whose names do not start with "."; nothing when the folder cannot be read.
std::optional<std::vector<FileEntry>> readListedFiles(const QByteArray& folder,
                                                      const FilePattern& pattern);

// The names of the subfolders that the folder list shows, in natural order.
std::optional<std::vector<FileEntry>> readSubfolders(const QByteArray& folder);

} // namespace vornak
