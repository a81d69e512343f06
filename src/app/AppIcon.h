#pragma once

#include <QIcon>

namespace vornak {

// The program's icon, with its images of 16, 32, 48 and 64 pixels.
QIcon appIcon();

} // namespace vornak
