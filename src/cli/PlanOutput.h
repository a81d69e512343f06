#pragma once

#include "cli/FolderPlan.h"

#include <cstdio>

namespace vornak {

enum class PlanOutputFormat {
    Table,    // aligned columns, for a person at a terminal
    PlanText, // the plan text (texts/PlanFormat.h)
    Json,     // JSON Lines: folder, old, new, status; *_bytes in base64 where not UTF-8
    NewNames, // each new name as exact bytes (in a tree, with its folder), then a NUL
    OldNames, // each old name as exact bytes (in a tree, with its folder), then a NUL
};

void writePlan(std::FILE* out, const FolderPlan& plan, PlanOutputFormat format);

} // namespace vornak
