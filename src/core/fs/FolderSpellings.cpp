#include "core/fs/FolderSpellings.h"

#include "core/fs/DirectoryStream.h"
#include "core/fs/EntryName.h"

namespace vornak {

std::optional<FolderSpellings> FolderSpellings::read(int dir)
{
    DirectoryStream listing = DirectoryStream::ofOpenFolder(dir);
    if (!listing.isOpen())
        return std::nullopt;
    FolderSpellings spellings;
    while (const dirent* entry = listing.next()) {
        const QByteArrayView name = entryName(*entry);
        spellings.m_exact.insert(name.toByteArray());
        ++spellings.m_foldedCounts[folded(name)];
    }
    return spellings;
}

bool FolderSpellings::differOnlyInCase(QByteArrayView a, QByteArrayView b)
{
    return a != b && a.isValidUtf8() && b.isValidUtf8() &&
           QString::fromUtf8(a).compare(QString::fromUtf8(b), Qt::CaseInsensitive) == 0;
}

bool FolderSpellings::holdsOtherLike(const QByteArray& name, const QByteArray& besides) const
{
    const QString key = folded(name);
    const int ownCount = holds(besides) && folded(besides) == key ? 1 : 0;
    return m_foldedCounts.value(key) > ownCount;
}

void FolderSpellings::moved(const QByteArray& from, const QByteArray& to)
{
    if (m_exact.remove(from)) {
        const auto count = m_foldedCounts.find(folded(from));
        if (count != m_foldedCounts.end() && --*count == 0)
            m_foldedCounts.erase(count);
    }
    if (m_exact.contains(to))
        return;
    m_exact.insert(to);
    ++m_foldedCounts[folded(to)];
}

QString FolderSpellings::folded(QByteArrayView name)
{
    return QString::fromUtf8(name).toCaseFolded();
}

} // namespace vornak
