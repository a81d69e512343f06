#include "Timing.h"
#include "Workloads.h"

#include "core/fs/FolderTree.h"
#include "core/plan/TreePlan.h"

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

namespace vornak::bench {

namespace {

constexpr int kFilesPerFolder = 100;
constexpr int kFoldersPerGroup = 100;

// files files, a hundred a folder, in folders of a hundred subfolders each: g0/f0 ... g99/f99.
void buildTree(const QByteArray& top, int files)
{
    for (int i = 0; i < files; ++i) {
        const int folder = i / kFilesPerFolder;
        const QByteArray group = top + "/g" + QByteArray::number(folder / kFoldersPerGroup);
        const QByteArray path = group + "/照片 f" + QByteArray::number(folder);
        if (i % kFilesPerFolder == 0 &&
            ((folder % kFoldersPerGroup == 0 && ::mkdir(group.constData(), 0755) != 0) ||
             ::mkdir(path.constData(), 0755) != 0))
            throw std::runtime_error("cannot create " + path.toStdString());
        const QByteArray name = path + "/照片 " + QByteArray::number(i) + " report.dat";
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0)
            throw std::runtime_error("cannot create " + name.toStdString());
        ::close(fd);
    }
}

std::size_t g_walkedFiles = 0;

int countFile(const char*, const struct stat* st, int kind, FTW*)
{
    g_walkedFiles += kind == FTW_F && S_ISREG(st->st_mode);
    return 0;
}

} // namespace

WorkloadResult measureTree(int files)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    const QByteArray top = QFile::encodeName(dir.path());
    buildTree(top, files);

    const RenameState state{"2024_", {}, {}, {}};
    const NameRules rules{BatchRules{}};
    std::size_t planned = 0;
    // The whole of `vornak-cli plan -r --prefix 2024_`: the walk, and every folder planned.
    const double ours = bestSeconds([&] {
        std::optional<FolderTree> tree = walkFolderTree(top + '/', FilePattern::everything());
        if (!tree)
            throw std::runtime_error("the tree cannot be read");
        const std::vector<PlannedFolder> folders =
            planTree(top + '/', *tree, {state, {}, false, {}}, rules);
        planned = 0;
        for (const PlannedFolder& folder : folders)
            planned += folder.batch.plan.order.size();
    });
    if (planned != std::size_t(files))
        throw std::runtime_error("the plan did not rename every file");
    const double limit = bestSeconds([&] {
        g_walkedFiles = 0;
        ::nftw(top.constData(), countFile, 64, FTW_PHYS);
    });
    if (g_walkedFiles != std::size_t(files))
        throw std::runtime_error("the walk did not find every file");
    WorkloadResult result{ours, limit, {}, files};
    if (const auto find = peerSeconds(QStringLiteral("find"),
                                      {dir.path(), QStringLiteral("-type"), QStringLiteral("f")}))
        result.peers.push_back({"find", *find});
    return result;
}

} // namespace vornak::bench
