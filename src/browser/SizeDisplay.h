#pragma once

#include <QString>

namespace vornak {

// The title-bar text for a file of this many bytes: the exact count, then the size in MB or
// KB rounded half up to two decimals ("5000000B，约4.77MB", "512B，约0.5KB").
QString sizeDisplayText(qint64 length);

} // namespace vornak
