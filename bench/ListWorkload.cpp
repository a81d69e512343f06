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

void showFolder(FileList& fileList, const BenchFolder& folder)
{
    if (!fileList.setPattern(filePatternText(QStringLiteral("*"), QStringLiteral("*"))) ||
        !fileList.setPath(folder.path()) || fileList.count() != folder.files())
        throw std::runtime_error("the file list lost entries");
}

WorkloadResult measureList(const BenchFolder& folder)
{
    FileList fileList;
    showFolder(fileList, folder);
    const double ours = bestSeconds([&] { fileList.refresh(); });
    const double limit = bestSeconds([&] { readdirLoop(folder.path()); });
    return {ours, limit};
}

} // namespace vornak::bench
