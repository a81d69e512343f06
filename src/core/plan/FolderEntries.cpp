#include "core/plan/FolderEntries.h"

#include "core/fs/DirectoryStream.h"
#include "core/fs/EntryName.h"
#include "core/names/NameText.h"

namespace vornak {

std::unique_ptr<FolderEntries> FolderEntries::read(const QByteArray& folder, bool caseInsensitive)
{
    DirectoryStream dir(folder);
    if (!dir.isOpen())
        return nullptr;
    NameList names;
    while (const dirent* entry = dir.next()) {
        const QByteArrayView name = entryName(*entry);
        if (caseInsensitive)
            names.append(caseFoldedName(name));
        else
            names.append(name);
    }
    return std::unique_ptr<FolderEntries>(new FolderEntries(std::move(names), caseInsensitive));
}

std::unique_ptr<FolderEntries> FolderEntries::of(const NameList& names, bool caseInsensitive)
{
    NameList kept;
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (caseInsensitive)
            kept.append(caseFoldedName(names.bytesAt(k)));
        else
            kept.append(names.bytesAt(k));
    }
    return std::unique_ptr<FolderEntries>(new FolderEntries(std::move(kept), caseInsensitive));
}

FolderEntries::FolderEntries(NameList names, bool caseInsensitive)
    : m_names(std::move(names)), m_index(m_names.size()), m_caseInsensitive(caseInsensitive)
{
    for (std::size_t i = 0; i < m_names.size(); ++i)
        m_index.add(m_names.bytesAt(i));
}

bool FolderEntries::holds(QByteArrayView name) const
{
    return m_caseInsensitive ? m_index.contains(caseFoldedName(name)) : m_index.contains(name);
}

FolderRules folderRules(const FolderNaming& naming, std::shared_ptr<const FolderEntries> entries)
{
    FolderRules rules;
    rules.nameMax = naming.nameMax;
    rules.lengthUnit = naming.lengthUnit;
    rules.caseInsensitive = naming.caseInsensitive;
    if (entries)
        rules.nameTaken = [entries = std::move(entries)](const QByteArrayView& name) {
            return entries->holds(name);
        };
    return rules;
}

} // namespace vornak
