#pragma once

#include "core/plan/PlannedBatch.h"
#include "core/plan/RenameStatus.h"

#include <QString>

namespace vornak {

// The status as the preview's 状态 column shows it.
QString statusText(RenameStatus status);
// The status of the batch's row, with the field a 缺少字段 row lacks.
QString rowStatusText(const PlannedBatch& batch, std::size_t row);

} // namespace vornak
