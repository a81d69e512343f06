#include "core/check/ContentFindings.h"

#include <algorithm>
#include <numeric>

namespace vornak {

std::vector<qint64> ContentGroup::freedByFile() const
{
    std::vector<quint64> linksInGroup(fileInfo.size(), 0);
    for (std::size_t k = 0; k < entries.size(); ++k)
        linksInGroup[files[k]] += symbolic[k] ? 0 : 1;
    std::vector<qint64> freed(fileInfo.size(), 0);
    for (std::size_t f = 0; f < fileInfo.size(); ++f)
        if (linksInGroup[f] == fileInfo[f].links)
            freed[f] = fileInfo[f].diskBytes;
    return freed;
}

qint64 ContentGroup::reclaimable() const
{
    const std::vector<qint64> freed = freedByFile();
    if (freed.empty())
        return 0;
    return std::accumulate(freed.begin(), freed.end(), qint64(0)) -
           *std::max_element(freed.begin(), freed.end());
}

} // namespace vornak
