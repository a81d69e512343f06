#pragma once

#include "core/plan/PlannedBatch.h"

#include <QString>

namespace vornak {

// The line under the batch preview's table: how many files the batch holds, and how many have
// each status that occurs, in the order of the statuses; then how many had no photo date.
QString statusSummary(const PlannedBatch& batch);

} // namespace vornak
