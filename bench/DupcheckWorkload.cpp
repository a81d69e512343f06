#include "Timing.h"
#include "Workloads.h"

#include "dupcheck/SizeCheck.h"
#include "widgets/FileList.h"

#include <dirent.h>
#include <sys/stat.h>

#include <stdexcept>
#include <unordered_map>

namespace vornak::bench {

namespace {

// Reads the folder and the length of every file in it, counting the files that share their
// length with another: the system calls of a full check and nothing else.
std::size_t readdirStatLoop(const QByteArray& folder)
{
    std::unordered_map<off_t, std::size_t> lengths;
    std::string path = folder.toStdString() + '/';
    const std::size_t prefix = path.size();
    DIR* dir = ::opendir(folder.constData());
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        path.resize(prefix);
        path += entry->d_name;
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0)
            ++lengths[st.st_size];
    }
    ::closedir(dir);
    std::size_t shared = 0;
    for (const auto& [length, files] : lengths)
        shared += files > 1 ? files : 0;
    return shared;
}

} // namespace

WorkloadResult measureDupcheck(const BenchFolder& folder)
{
    FileList fileList;
    showFolder(fileList, folder);
    quint64 reportLines = 0;
    // The full check reads the folder again before it measures.
    const double ours = bestSeconds([&] {
        fileList.refresh();
        reportLines = buildFullCheckReport(fileList)->lineCount();
    });
    std::size_t shared = 0;
    const double limit = bestSeconds([&] { shared = readdirStatLoop(folder.path()); });
    if (shared > 0 && reportLines == 2)
        throw std::runtime_error("the full check missed files of equal length");
    return {ours, limit};
}

} // namespace vornak::bench
