#include "Timing.h"
#include "Workloads.h"

#include "core/fs/OpenFolder.h"
#include "core/run/RenameJob.h"
#include "platform/SystemPlatform.h"
#include "rename/LivePreview.h"
#include "rename/RenameRun.h"
#include "widgets/FileList.h"

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace vornak::bench {

namespace {

// Case C numbered: every file gets a new base name and its position.
const RenameState kNumbered{{}, {}, "trip", {}};
constexpr NameCase kNumberedCase{true, false};

// The plain loop: names composed and made into paths beforehand. Where the volume refuses the
// no-replace flag (FUSE, FAT), a bare rename: the least a rename costs there.
std::size_t renameat2Loop(const std::vector<std::pair<QByteArray, QByteArray>>& paths)
{
    std::size_t renamed = 0;
    unsigned int flags = RENAME_NOREPLACE;
    for (const auto& [from, to] : paths) {
        int result = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), flags);
        if (result != 0 && errno == EINVAL && flags != 0) {
            flags = 0;
            result = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), flags);
        }
        renamed += result == 0;
    }
    return renamed;
}

// The plain loop's paths for the renames, there and back.
struct RenamePaths {
    std::vector<std::pair<QByteArray, QByteArray>> forth;
    std::vector<std::pair<QByteArray, QByteArray>> back;
};

RenamePaths renamePaths(const QByteArray& folderPath, const std::vector<Rename>& renames)
{
    RenamePaths paths;
    paths.forth.reserve(renames.size());
    paths.back.reserve(renames.size());
    for (const Rename& rename : renames) {
        paths.forth.emplace_back(folderPath + rename.oldName, folderPath + rename.newName);
        paths.back.emplace_back(paths.forth.back().second, paths.forth.back().first);
    }
    return paths;
}

// A peer that renames every file of the folder to "x_" and its name, run by sh in the folder as
// its users run it; each pass is undone by the plain loop. Nothing where it is not installed.
std::optional<PeerResult> prefixPeer(const char* name, const QByteArray& folderPath,
                                     const NameList& names, const QString& command)
{
    if (QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty())
        return std::nullopt;
    std::vector<std::pair<QByteArray, QByteArray>> back;
    back.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        back.emplace_back(folderPath + "x_" + names.nameAt(i), folderPath + names.nameAt(i));
    double best = 1e100;
    for (int round = 0; round < 2; ++round) {
        best = std::min(best, bestSeconds(
                                  [&] {
                                      QProcess shell;
                                      shell.setWorkingDirectory(QFile::decodeName(folderPath));
                                      shell.setStandardOutputFile(QProcess::nullDevice());
                                      shell.start(QStringLiteral("sh"), {"-c", command});
                                      if (!shell.waitForFinished(-1) ||
                                          shell.exitStatus() != QProcess::NormalExit)
                                          throw std::runtime_error("a peer did not finish");
                                  },
                                  1));
        if (renameat2Loop(back) != names.size())
            throw std::runtime_error(std::string(name) + " did not rename every file");
    }
    return PeerResult{name, best};
}

// Renames every file of the folder with ours, against the plain loop. Ours is given the
// platform, the folder and the listed names, and returns how many files it renamed.
using RenameWork = std::function<std::size_t(const QByteArray& folderPath, const NameList& names)>;

WorkloadResult measureRenameWith(const BenchFolder& folder, const RenameWork& ourRename)
{
    FileList fileList;
    showFolder(fileList, folder);
    const QByteArray folderPath = fileList.folderPath();
    const auto files = static_cast<std::size_t>(folder.files());

    // Both name every file anew from the same folder: after each timed pass an untimed plain
    // loop gives the files their old names back. The order alternates so that neither side
    // profits from a cache the other warmed.
    const RenamePaths paths =
        renamePaths(folderPath, composeRenames(fileList.names(), kNumbered, kNumberedCase));
    const auto expectAll = [files](std::size_t renamed) {
        if (renamed != files)
            throw std::runtime_error("a rename pass missed files");
    };
    const auto timeOurs = [&] {
        std::size_t renamed = 0;
        const double seconds =
            bestSeconds([&] { renamed = ourRename(folderPath, fileList.names()); }, 1);
        expectAll(renamed);
        expectAll(renameat2Loop(paths.back));
        return seconds;
    };
    const auto timeLimit = [&] {
        std::size_t renamed = 0;
        const double seconds = bestSeconds([&] { renamed = renameat2Loop(paths.forth); }, 1);
        expectAll(renamed);
        expectAll(renameat2Loop(paths.back));
        return seconds;
    };

    double ours = 1e100;
    double limit = 1e100;
    for (int round = 0; round < 4; ++round) {
        if (round % 2 == 0) {
            ours = std::min(ours, timeOurs());
            limit = std::min(limit, timeLimit());
        } else {
            limit = std::min(limit, timeLimit());
            ours = std::min(ours, timeOurs());
        }
    }
    return {ours, limit};
}

} // namespace

WorkloadResult measureRename(const BenchFolder& folder)
{
    return measureRenameWith(folder, [](const QByteArray& folderPath, const NameList& names) {
        const RenameJob job =
            plannedJob(folderPath, composeRenames(names, kNumbered, kNumberedCase));
        OpenFolder open(folderPath);
        std::size_t renamed = 0;
        for (const Rename& step : job.plan)
            renamed += open.renameNoReplace(step.oldName, step.newName).renamed();
        return renamed;
    });
}

WorkloadResult measureJournaledRename(const BenchFolder& folder)
{
    // A journal of its own, beside the folder, so the user's undo history is left alone.
    const QTemporaryDir journalFolder;
    if (!journalFolder.isValid())
        throw std::runtime_error("cannot create the journal folder");
    const RenameJournal journal(QFile::encodeName(journalFolder.path()));
    // The run as the main window's run button does it, counting its steps for a progress.
    return measureRenameWith(
        folder, [&journal](const QByteArray& folderPath, const NameList& names) {
            const RenameJob job =
                plannedJob(folderPath, composeRenames(names, kNumbered, kNumberedCase));
            JobControl control;
            const RunRecord record = runJob(journal, job, &control);
            if (record.journalError != JournalError::None)
                throw std::runtime_error("the journal cannot be written");
            return record.renamedCount;
        });
}

WorkloadResult measureJournalBegin(const BenchFolder& folder)
{
    FileList fileList;
    showFolder(fileList, folder);
    const QByteArray folderPath = fileList.folderPath();
    const RenameJob job =
        plannedJob(folderPath, composeRenames(fileList.names(), kNumbered, kNumberedCase));
    const RenamePaths paths = renamePaths(folderPath, job.plan);
    const QTemporaryDir journalFolder;
    if (!journalFolder.isValid())
        throw std::runtime_error("cannot create the journal folder");
    const RenameJournal journal(QFile::encodeName(journalFolder.path()));

    const double begin = bestSeconds([&] {
        JournalRun run = journal.begin(folderPath, job.plan);
        if (!run.isStarted() || !run.finish(job.plan.size()))
            throw std::runtime_error("the journal cannot be written");
    });
    double renames = 1e100;
    for (int round = 0; round < 3; ++round) {
        std::size_t renamed = 0;
        renames = std::min(renames, bestSeconds([&] { renamed = renameat2Loop(paths.forth); }, 1));
        if (renamed != job.plan.size() || renameat2Loop(paths.back) != job.plan.size())
            throw std::runtime_error("a rename pass missed files");
    }
    return {begin, renames};
}

WorkloadResult measureCli(const BenchFolder& folder)
{
    // The command line keeps its journal beside the folder, so the user's undo history is left
    // alone; it is the program built next to this one.
    const QTemporaryDir stateHome;
    if (!stateHome.isValid())
        throw std::runtime_error("cannot create the journal folder");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_STATE_HOME"), stateHome.path());
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/vornak-cli");
    // --base gives the names the plain loop gives: the base name and the position.
    WorkloadResult result =
        measureRenameWith(folder, [&](const QByteArray& folderPath, const NameList& names) {
            QProcess cli;
            cli.setProcessEnvironment(environment);
            cli.setStandardOutputFile(QProcess::nullDevice());
            cli.start(program,
                      {QStringLiteral("run"), QStringLiteral("--base"),
                       QString::fromUtf8(kNumbered.newBaseName), QFile::decodeName(folderPath)});
            if (!cli.waitForFinished(-1) || cli.exitStatus() != QProcess::NormalExit ||
                cli.exitCode() != 0)
                throw std::runtime_error("vornak-cli run failed");
            return names.size();
        });
    // Peers that rename from the shell, with a prefix: neither numbers in list order.
    FileList fileList;
    showFolder(fileList, folder);
    const QByteArray folderPath = fileList.folderPath();
    const QString perlRename = QStringLiteral(
        "find . -maxdepth 1 -type f -print0 | xargs -0 file-rename 's{^\\./}{./x_}'");
    for (auto peer :
         {prefixPeer("file-rename", folderPath, fileList.names(), perlRename),
          prefixPeer("mmv", folderPath, fileList.names(), QStringLiteral("mmv '*' 'x_#1'"))})
        if (peer)
            result.peers.push_back(*peer);
    return result;
}

WorkloadResult measurePreview(const BenchFolder& folder)
{
    FileList fileList;
    showFolder(fileList, folder);
    fileList.setSelectedIndex(fileList.count() - 1);
    std::array<QCheckBox, RenameOptionControls::kPairs> checks;
    std::array<QLineEdit, RenameOptionControls::kPairs> texts;
    QRadioButton batchMode;
    QRadioButton singleMode;
    batchMode.setChecked(true);
    checks[2].setChecked(true);
    texts[2].setText(QStringLiteral("trip"));
    const RenameOptionControls options({{&checks[0], &checks[1], &checks[2], &checks[3]},
                                        {&texts[0], &texts[1], &texts[2], &texts[3]},
                                        batchMode,
                                        singleMode},
                                       nullptr);
    QPushButton runButton;
    QLabel previewLabel;
    QWidget window;
    RenameState state;
    SystemPlatform platform;
    LivePreview preview({fileList, runButton, previewLabel, window}, options, state, platform,
                        nullptr);
    const double tick = bestSeconds([&] { preview.tick(); }, 100);
    if (previewLabel.text().isEmpty() || !runButton.isEnabled())
        throw std::runtime_error("the preview showed nothing");
    return {tick, std::nullopt};
}

} // namespace vornak::bench
