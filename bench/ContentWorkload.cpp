#include "ContentFolder.h"
#include "Timing.h"
#include "Workloads.h"

#include "core/check/ContentGroups.h"
#include "texts/ContentReport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <stdexcept>
#include <unordered_map>

namespace vornak::bench {

namespace {

// Looks at every name, then reads every file whose length another file shares once, into a
// buffer: the least any content check must do. Returns the bytes read.
qint64 readLoop(const QByteArray& folder, const std::vector<QByteArray>& names,
                bool onlyRepeatedLengths)
{
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::vector<off_t> lengths(names.size(), -1);
    std::unordered_map<off_t, int> sharing;
    for (std::size_t i = 0; i < names.size(); ++i) {
        struct stat st {};
        if (::fstatat(dir, names[i].constData(), &st, 0) == 0) {
            lengths[i] = st.st_size;
            ++sharing[st.st_size];
        }
    }
    constexpr std::size_t kBuffer = 128 * 1024;
    const auto buffer = std::make_unique_for_overwrite<char[]>(kBuffer);
    qint64 read = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (lengths[i] < 0 || (onlyRepeatedLengths && sharing[lengths[i]] < 2))
            continue;
        const int fd = ::openat(dir, names[i].constData(), O_RDONLY | O_CLOEXEC);
        for (ssize_t got; fd >= 0 && (got = ::read(fd, buffer.get(), kBuffer)) > 0;)
            read += got;
        if (fd >= 0)
            ::close(fd);
    }
    ::close(dir);
    return read;
}

} // namespace

std::optional<double> peerSeconds(const QString& program, const QStringList& arguments)
{
    const QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        return std::nullopt;
    QTemporaryDir workDir;
    return bestSeconds([&] {
        QProcess peer;
        peer.setWorkingDirectory(workDir.path());
        peer.setStandardOutputFile(QProcess::nullDevice());
        peer.setStandardErrorFile(QProcess::nullDevice());
        peer.start(found, arguments);
        if (!peer.waitForFinished(-1) || peer.exitStatus() != QProcess::NormalExit)
            throw std::runtime_error(program.toStdString() + " did not finish");
    });
}

WorkloadResult measureContent()
{
    const ContentFolder folder;
    std::vector<QByteArray> names;
    for (std::size_t i = 0; i < folder.names().size(); ++i)
        names.push_back(folder.names().nameAt(i));
    // One untimed pass puts every file in the page cache.
    readLoop(folder.path(), names, false);

    ContentFindings findings;
    QString report;
    const double ours = bestSeconds([&] {
        findings = findIdenticalContents(folder.path(), folder.names(), {});
        report = contentReport(folder.names(), findings).join(u'\r');
    });
    std::size_t inGroups = 0;
    for (const ContentGroup& group : findings.groups)
        inGroups += group.entries.size();
    if (inGroups != folder.namesInGroups() || !findings.unreadable.empty() ||
        !findings.changed.empty())
        throw std::runtime_error("the content check did not find the copies the folder holds");
    const double limit = bestSeconds([&] { readLoop(folder.path(), names, true); });

    WorkloadResult result{ours, limit, {}, int(names.size())};
    const QString path = QString::fromUtf8(folder.path());
    if (const auto jdupes = peerSeconds(QStringLiteral("jdupes"), {QStringLiteral("-r"), path}))
        result.peers.push_back({"jdupes", *jdupes});
    if (const auto rmlint =
            peerSeconds(QStringLiteral("rmlint"),
                        {path, QStringLiteral("-o"), QStringLiteral("summary:/dev/null")}))
        result.peers.push_back({"rmlint", *rmlint});
    return result;
}

} // namespace vornak::bench
