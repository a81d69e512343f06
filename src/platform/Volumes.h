#pragma once

#include "Platform.h"

namespace vornak {

// The root of the volume that holds path: the longest mount root that is a folder of it.
QByteArray volumeRootOf(const QList<Volume>& volumes, const QByteArray& path);

} // namespace vornak
