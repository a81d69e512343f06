#include "BenchFolder.h"
#include "Workloads.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <vector>

using namespace vornak::bench;

namespace {

struct Workload {
    const char* name;
    WorkloadResult (*measure)(const BenchFolder&);
    // Instead, for a workload on a folder of its own: the files asked for.
    WorkloadResult (*measureAlone)(int files) = nullptr;
};

WorkloadResult measureContentAlone(int)
{
    return measureContent();
}

// Workloads that change the folder come last.
constexpr Workload kWorkloads[] = {
    {"list", measureList},
    {"dupcheck", measureDupcheck},
    {"preview", measurePreview},
    {"content", nullptr, measureContentAlone},
    {"fields", measureFieldsRead},
    {"plan", measurePlan},
    {"plan-pattern", measurePatternPlan},
    {"window", measureWindow},
    {"rename", measureRename},
    {"rename+journal", measureJournaledRename},
    {"journal-begin", measureJournalBegin},
    {"cli", measureCli},
    {"run-window", measureRunWindow},
    {"tree", nullptr, measureTree},
};

void print(const char* name, int files, const WorkloadResult& result)
{
    std::printf("workload=%s n=%d ours_s=%.6f", name, result.files.value_or(files),
                result.oursSeconds);
    if (result.limitSeconds)
        std::printf(" limit_s=%.6f ratio=%.2f", *result.limitSeconds,
                    result.oursSeconds / *result.limitSeconds);
    // Below 1: ours is the faster.
    for (const PeerResult& peer : result.peers)
        std::printf(" %s_s=%.6f ratio_%s=%.2f", peer.name, peer.seconds, peer.name,
                    result.oursSeconds / peer.seconds);
    std::printf("\n");
}

} // namespace

int main(int argc, char* argv[])
{
    int files = 100000;
    QString parent;
    std::vector<std::string> chosen;
    for (int i = 1; i < argc; ++i) {
        const bool known =
            std::any_of(std::begin(kWorkloads), std::end(kWorkloads),
                        [&](const Workload& w) { return w.name == std::string(argv[i]); });
        if (std::strcmp(argv[i], "--files") == 0 && i + 1 < argc) {
            files = std::stoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--folder") == 0 && i + 1 < argc) {
            parent = QString::fromLocal8Bit(argv[++i]);
        } else if (known) {
            chosen.emplace_back(argv[i]);
        } else {
            std::fprintf(
                stderr,
                "usage: vornak-bench [--files N] [--folder PARENT] [list|dupcheck|preview|content|"
                "fields|plan|plan-pattern|window|rename|rename+journal|journal-begin|cli|run-"
                "window|tree]...\n");
            return 2;
        }
    }
    // The file list is a widget but nothing is shown: run without a display unless told.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        // Built only when a chosen workload reads it.
        std::optional<BenchFolder> flat;
        const auto folder = [&]() -> const BenchFolder& {
            if (!flat)
                flat.emplace(files, parent);
            return *flat;
        };
        for (const Workload& workload : kWorkloads) {
            if (!chosen.empty() &&
                std::find(chosen.begin(), chosen.end(), workload.name) == chosen.end())
                continue;
            print(workload.name, files,
                  workload.measureAlone ? workload.measureAlone(files)
                                        : workload.measure(folder()));
            std::fflush(stdout);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vornak-bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
