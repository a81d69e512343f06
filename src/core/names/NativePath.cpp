#include "core/names/NativePath.h"

#include <QFile>
#include <QList>

namespace vornak {

QString displayText(const QByteArray& nativePath)
{
    return QFile::decodeName(nativePath);
}

QByteArray nativeText(const QString& text)
{
    return QFile::encodeName(text);
}

QByteArray fileNameOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf(kSeparator);
    return slash < 0 ? path : path.mid(slash + 1);
}

QByteArray withTrailingSeparator(const QByteArray& folder)
{
    return folder.endsWith(kSeparator) ? folder : folder + kSeparator;
}

QByteArray cleanAbsolutePath(const QByteArray& path, const QByteArray& base)
{
    const QByteArray absolute = path.startsWith(kSeparator) ? path : base + kSeparator + path;
    QList<QByteArray> parts;
    for (const QByteArray& part : absolute.split(kSeparator)) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    return kSeparator + parts.join(kSeparator);
}

QList<QByteArray> folderChain(const QByteArray& path)
{
    QList<QByteArray> chain{QByteArray(1, kSeparator)};
    qsizetype from = 1;
    while (from < path.size()) {
        qsizetype slash = path.indexOf(kSeparator, from);
        if (slash < 0)
            slash = path.size();
        chain.append(path.left(slash));
        from = slash + 1;
    }
    return chain;
}

} // namespace vornak
