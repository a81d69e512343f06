#pragma once

#include "core/names/NameIndex.h"
#include "core/names/NameList.h"
#include "core/plan/FolderNaming.h"
#include "core/plan/RenamePlan.h"

#include <QByteArray>
#include <QByteArrayView>

#include <memory>

namespace vornak {

// Every entry of a folder, hidden ones, folders and names the filters leave out included, so
// that a batch plan knows which new names are taken. Read once per listing, then asked about
// many names: an index over the bytes, compared as the file system compares names.
class FolderEntries {
public:
    // Nothing when the folder cannot be read.
    static std::unique_ptr<FolderEntries> read(const QByteArray& folder, bool caseInsensitive);
    // The entries of a folder read already (a tree walk keeps them).
    static std::unique_ptr<FolderEntries> of(const NameList& names, bool caseInsensitive);

    // The index views the names' bytes: the object stays where it was made.
    FolderEntries(const FolderEntries&) = delete;
    FolderEntries& operator=(const FolderEntries&) = delete;

    bool holds(QByteArrayView name) const;
    std::size_t size() const { return m_names.size(); }

private:
    FolderEntries(NameList names, bool caseInsensitive);

    NameList m_names; // case-folded where the file system ignores case
    NameIndex m_index;
    bool m_caseInsensitive;
};

// The rules a batch in a folder is planned by: how its file system names entries, and its
// entries as the names taken (none when it could not be read).
FolderRules folderRules(const FolderNaming& naming, std::shared_ptr<const FolderEntries> entries);

} // namespace vornak
