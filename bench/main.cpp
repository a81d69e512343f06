#include "BenchFolder.h"
#include "Workloads.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

using namespace vornak::bench;

namespace {

struct Workload {
    const char* name;
    WorkloadResult (*measure)(const BenchFolder&);
};

// Workloads that change the folder come last.
constexpr Workload kWorkloads[] = {
    {"list", measureList}, {"dupcheck", measureDupcheck}, {"preview", measurePreview},
    {"plan", measurePlan}, {"rename", measureRename},
};

void print(const char* name, int files, const WorkloadResult& result)
{
    if (!result.limitSeconds) {
        std::printf("workload=%s n=%d ours_s=%.6f\n", name, files, result.oursSeconds);
        return;
    }
    std::printf("workload=%s n=%d ours_s=%.6f limit_s=%.6f ratio=%.2f\n", name, files,
                result.oursSeconds, *result.limitSeconds,
                result.oursSeconds / *result.limitSeconds);
}

} // namespace

int main(int argc, char* argv[])
{
    int files = 100000;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--files") == 0 && i + 1 < argc) {
            files = std::stoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: vornak-bench [--files N]\n");
            return 2;
        }
    }
    // The file list is a widget but nothing is shown: run without a display unless told.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        BenchFolder folder(files);
        for (const Workload& workload : kWorkloads) {
            print(workload.name, files, workload.measure(folder));
            std::fflush(stdout);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vornak-bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
