#include "cli/ApplyCommand.h"

#include "cli/CommandLineText.h"
#include "cli/Output.h"
#include "cli/PlanRequest.h"
#include "cli/PlanRun.h"
#include "cli/RenameList.h"
#include "core/fs/FolderReader.h"
#include "core/fs/FolderTree.h"
#include "core/names/NameText.h"
#include "core/names/NativePath.h"
#include "core/plan/FolderEntries.h"
#include "core/plan/FolderNaming.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>

namespace vornak {

namespace {

// The renames a list asks for in one folder as a batch there, or why they make none: a file it
// names is not among the folder's listed files, or is named twice.
std::variant<PlannedFolder, QString> plannedFolder(const QByteArray& top, const QByteArray& path,
                                                   const std::vector<Rename>& renames)
{
    const QByteArray folder = treeFolderPath(top, path);
    const FileDescriptor topFolder(::open(top.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Read only where a run would reach it: below top, through no link.
    const std::optional<NameList> listed =
        topFolder.isOpen() && openTreeFolder(topFolder.get(), path).isOpen()
            ? readListedFiles(folder, FilePattern::everything())
            : std::nullopt;
    if (!listed)
        return CommandLineText::tr("无法读取文件夹：%1").arg(displayText(folder));
    QSet<QByteArray> present;
    for (std::size_t k = 0; k < listed->size(); ++k)
        present.insert(listed->nameAt(k));
    PlannedFolder plan{path, {}, {}};
    QSet<QByteArray> named;
    std::vector<WantedName> wanted;
    for (const Rename& rename : renames) {
        const QByteArray shown = path.isEmpty() ? rename.oldName : path + '/' + rename.oldName;
        if (!present.contains(rename.oldName))
            return CommandLineText::tr("文件夹中没有文件“%1”").arg(displayText(shown));
        if (named.contains(rename.oldName))
            return CommandLineText::tr("清单中“%1”出现了两次").arg(displayText(shown));
        named.insert(rename.oldName);
        plan.entries.append(rename.oldName);
        plan.batch.newNames.push_back(rename.newName);
    }
    for (std::size_t k = 0; k < renames.size(); ++k)
        wanted.push_back({plan.entries.bytesAt(k), plan.batch.newNames[k]});
    const FolderNaming naming = folderNamingOf(folder);
    plan.batch.modifiedInstead.assign(renames.size(), false);
    plan.batch.plan =
        planBatch(wanted, folderRules(naming, FolderEntries::read(folder, naming.caseInsensitive)));
    return plan;
}

// The list's renames as batches, one per folder in the order the list first names it.
std::variant<FolderPlan, QString> plannedList(const QByteArray& folder,
                                              const std::vector<ListedRename>& listed)
{
    std::vector<QByteArray> paths;
    QHash<QByteArray, std::vector<Rename>> renames;
    for (const ListedRename& one : listed) {
        if (!renames.contains(one.path))
            paths.push_back(one.path);
        renames[one.path].push_back(one.rename);
    }
    const bool tree = std::any_of(paths.begin(), paths.end(),
                                  [](const QByteArray& path) { return !path.isEmpty(); });
    FolderPlan plan{folder, {}, tree, {}};
    for (const QByteArray& path : paths) {
        std::variant<PlannedFolder, QString> one = plannedFolder(folder, path, renames[path]);
        if (const QString* error = std::get_if<QString>(&one))
            return *error;
        plan.folders.push_back(std::move(std::get<PlannedFolder>(one)));
    }
    return plan;
}

} // namespace

void addApplyOptions(QCommandLineParser& parser)
{
    parser.addOption(
        {QStringLiteral("run"), CommandLineText::tr("按清单重命名；没有此项时只列出计划")});
    addOutputOptions(parser);
    parser.addPositionalArgument(
        QStringLiteral("LIST"),
        CommandLineText::tr("计划文本，或每行“原文件名<TAB>新文件名”的清单"));
    parser.addPositionalArgument(QStringLiteral("FOLDER"), CommandLineText::tr("文件所在的文件夹"));
}

ExitStatus applyCommand(const QCommandLineParser& parser)
{
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != 2) {
        printError(CommandLineText::tr("需要一个清单和一个文件夹"));
        return ExitStatus::Usage;
    }
    const QByteArray listPath = encodeName(arguments[0]);
    // Opened by its exact bytes: QFile would take the path as UTF-8 text.
    QFile list;
    const int file = ::open(listPath.constData(), O_RDONLY | O_CLOEXEC);
    if (file < 0 || !list.open(file, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        printSystemError(CommandLineText::tr("无法读取清单"), listPath, errno);
        return ExitStatus::NothingDone;
    }
    const QByteArray folder = folderPathOf(arguments[1]);
    std::variant<std::vector<ListedRename>, QString> renames =
        readRenameList(list.readAll(), folder);
    std::variant<FolderPlan, QString> planned =
        std::holds_alternative<QString>(renames)
            ? std::variant<FolderPlan, QString>(std::get<QString>(renames))
            : plannedList(folder, std::get<std::vector<ListedRename>>(renames));
    if (const QString* error = std::get_if<QString>(&planned)) {
        printError(*error);
        return ExitStatus::Usage;
    }
    return showOrRun(parser, std::get<FolderPlan>(planned), parser.isSet(QStringLiteral("run")));
}

} // namespace vornak
