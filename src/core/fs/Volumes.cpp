#include "core/fs/Volumes.h"

#include "core/names/NativePath.h"

namespace vornak {

QByteArray volumeRootOf(const QList<Volume>& volumes, const QByteArray& path)
{
    QByteArray best;
    for (const Volume& volume : volumes) {
        const QByteArray& root = volume.root;
        const bool holds =
            path == root || (path.startsWith(root) &&
                             (root.endsWith(kSeparator) || path.at(root.size()) == kSeparator));
        if (holds && root.size() > best.size())
            best = root;
    }
    return best;
}

} // namespace vornak
