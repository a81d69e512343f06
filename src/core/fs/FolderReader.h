#pragma once

#include "core/names/FilePattern.h"
#include "core/names/NameList.h"

#include <QByteArray>

#include <optional>

namespace vornak {

// The listed files of a folder that match the pattern, in natural order: regular files and
// links to them whose names do not start with "."; nothing when the folder cannot be read.
std::optional<NameList> readListedFiles(const QByteArray& folder, const FilePattern& pattern);

// The names of the subfolders that the folder list shows, in natural order.
std::optional<NameList> readSubfolders(const QByteArray& folder);

} // namespace vornak
