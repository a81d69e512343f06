// libFuzzer target for the rename plan: it renames each file of the run at most once, never onto
// the name of a file that has yet to move, and leaves only files that wait on a cycle.
#include "rename/RenamePlan.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QSet>

#include <algorithm>
#include <cstdlib>

using namespace vornak;

namespace {

void check(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    // Names of up to two bytes, so that chains, cycles and collisions are common.
    const auto name = [&] { return QByteArray::fromStdString(input.ConsumeRandomLengthString(2)); };
    std::vector<Rename> wanted;
    QSet<QByteArray> yetToMove;
    while (wanted.size() < 12 && input.remaining_bytes() > 0) {
        Rename rename{name(), name()};
        if (std::any_of(wanted.begin(), wanted.end(),
                        [&](const Rename& r) { return r.oldName == rename.oldName; }))
            continue;
        if (rename.newName != rename.oldName && isEntryName(rename.newName))
            yetToMove.insert(rename.oldName);
        wanted.push_back(std::move(rename));
    }
    for (const Rename& step : planRenames(wanted))
        check(yetToMove.remove(step.oldName) && !yetToMove.contains(step.newName));
    for (const Rename& rename : wanted) {
        if (yetToMove.contains(rename.oldName))
            check(yetToMove.contains(rename.newName));
    }
    return 0;
}
