#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace vornak {

// A mounted volume as the drive list shows it; its designation is its mount root.
struct Volume {
    QByteArray root;
    QString label;
};

// The root of the volume that holds path: the longest mount root that is a folder of it.
QByteArray volumeRootOf(const QList<Volume>& volumes, const QByteArray& path);

} // namespace vornak
