#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QSet>
#include <QString>

#include <optional>

namespace vornak {

// The names of a folder exactly as it stores them, read once and then kept up to date by the
// renames of a run. Only the listing tells which spelling a volume that ignores case holds:
// stat finds the file under every spelling (on exfat-fuse even as different inodes).
class FolderSpellings {
public:
    // Nothing when the open folder cannot be read.
    static std::optional<FolderSpellings> read(int dir);

    // True for two names that are valid UTF-8 and differ only in letter case.
    static bool differOnlyInCase(QByteArrayView a, QByteArrayView b);

    bool holds(const QByteArray& name) const { return m_exact.contains(name); }
    // True when an entry other than the one named besides holds a name equal to name
    // without regard to case.
    bool holdsOtherLike(const QByteArray& name, const QByteArray& besides) const;
    void moved(const QByteArray& from, const QByteArray& to);

private:
    static QString folded(QByteArrayView name);

    QSet<QByteArray> m_exact;
    QHash<QString, int> m_foldedCounts;
};

} // namespace vornak
