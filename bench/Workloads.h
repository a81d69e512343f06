#pragma once

#include "BenchFolder.h"

#include "widgets/FileList.h"

#include <optional>
#include <string>

namespace vornak::bench {

struct WorkloadResult {
    double oursSeconds;
    // The plain system-call loop doing the same work (for plan, the list workload's time);
    // nothing for absolute workloads.
    std::optional<double> limitSeconds;
};

// Shows the folder in the file list as the program does at start, with the initial pattern of
// the two filter boxes; throws when an entry is missing.
void showFolder(FileList& file1, const BenchFolder& folder);

// Each workload measures our code against its limit on the folder. A workload that changes
// the folder leaves it as it found it or comes last.
WorkloadResult measureList(const BenchFolder& folder);
WorkloadResult measureDupcheck(const BenchFolder& folder);
WorkloadResult measurePreview(const BenchFolder& folder);
WorkloadResult measureRename(const BenchFolder& folder);
// The batch preview's plan after an edit, held against the list workload's own time.
WorkloadResult measurePlan(const BenchFolder& folder);

} // namespace vornak::bench
