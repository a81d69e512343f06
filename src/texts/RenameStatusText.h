#pragma once

#include "core/plan/RenameStatus.h"

#include <QString>

namespace vornak {

// The status as the preview's 状态 column shows it.
QString statusText(RenameStatus status);

} // namespace vornak
