#include "Timing.h"
#include "Workloads.h"

#include "browser/Navigation.h"
#include "widgets/FileList.h"

#include <dirent.h>

namespace vornak::bench {

namespace {

std::size_t readdirLoop(const QByteArray& folder)
{
    std::size_t names = 0;
    DIR* dir = ::opendir(folder.constData());
    while (const dirent* entry = ::readdir(dir))
        names += entry->d_name[0] != '.';
    ::closedir(dir);
    return names;
}

} // namespace

void showFolder(FileList& file1, const BenchFolder& folder)
{
    file1.setPattern(filePatternText(QStringLiteral("*"), QStringLiteral("*")));
    file1.setPath(folder.path());
    if (file1.count() != folder.files())
        throw std::runtime_error("the file list lost entries");
}

WorkloadResult measureList(const BenchFolder& folder)
{
    FileList file1;
    showFolder(file1, folder);
    const double ours = bestSeconds([&] { file1.refresh(); });
    const double limit = bestSeconds([&] { readdirLoop(folder.path()); });
    return {ours, limit};
}

} // namespace vornak::bench
