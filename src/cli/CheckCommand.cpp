#include "cli/CheckCommand.h"

#include "cli/CommandLineText.h"
#include "cli/Output.h"
#include "cli/PlanRequest.h"
#include "cli/StopSignal.h"
#include "cli/WordTable.h"
#include "core/check/ContentGroups.h"
#include "core/check/CopiesToMove.h"
#include "core/fs/FolderReader.h"
#include "core/fs/OpenFolder.h"
#include "core/jobs/JobControl.h"
#include "core/names/NativePath.h"
#include "core/run/TrashRun.h"
#include "texts/ContentReport.h"
#include "texts/CopiesMoveText.h"
#include "texts/FullCheckReport.h"
#include "texts/RunTexts.h"

namespace vornak {

namespace {

ExitStatus printSizeReport(const QByteArray& folder, const NameList& entries)
{
    const OpenFolder open(folder);
    Lengths lengths;
    lengths.reserve(entries.size());
    for (std::size_t k = 0; k < entries.size(); ++k)
        lengths.push_back(open.fileLength(entries.nameAt(k)));
    const FullCheckReport report(entries, lengths);
    if (report.pairCount() == 0) {
        printLine(kNoEqualFiles);
        return ExitStatus::Done;
    }
    for (quint64 k = 0; k < report.lineCount() && !interrupted(); ++k)
        printLine(report.line(k));
    return interrupted() ? ExitStatus::Interrupted : ExitStatus::Done;
}

std::optional<ContentFindings> contentFindings(const QByteArray& folder, const NameList& entries)
{
    JobControl control;
    ContentOptions options;
    options.stop = control.stopToken();
    options.progress = [&control](qint64, qint64) {
        if (interrupted())
            control.requestStop();
    };
    ContentFindings findings = findIdenticalContents(folder, entries, options);
    if (findings.cancelled || control.stopRequested())
        return std::nullopt;
    return findings;
}

ExitStatus printContentReport(const QByteArray& folder, const NameList& entries)
{
    const auto findings = contentFindings(folder, entries);
    if (!findings)
        return ExitStatus::Interrupted;
    const QStringList report = contentReport(entries, *findings);
    printLine(report.isEmpty() ? kNoIdenticalFiles.toString() : report.join(u'\n'));
    return ExitStatus::Done;
}

ExitStatus moveCopiesToTrash(const QByteArray& folder, const std::vector<TrashCandidate>& names)
{
    const QByteArray journalFolder = RenameJournal::defaultFolder();
    JobControl control;
    TrashRunRecord record;
    {
        const StopOnInterrupt stopOnInterrupt(control);
        record = runToTrash(RenameJournal(journalFolder), Trash(), folder, names, &control);
    }
    switch (record.journalError) {
    case JournalError::None:
        break;
    case JournalError::JournalUnwritable:
        printSystemError(CommandLineText::tr("无法写入撤销记录，没有移动任何文件。"), journalFolder,
                         record.journalErrorNumber);
        return ExitStatus::NothingDone;
    case JournalError::FolderUnavailable:
        printSystemError(CommandLineText::tr("无法打开文件夹，没有移动任何文件。"), folder,
                         record.journalErrorNumber);
        return ExitStatus::NothingDone;
    }
    const QStringList lines = trashRunLines(names, record);
    printLine(lines.front());
    for (qsizetype k = 1; k < lines.size(); ++k)
        printError(lines[k]);
    if (control.stopRequested())
        return ExitStatus::Interrupted;
    return record.moved == names.size() ? ExitStatus::Done : ExitStatus::FilesKept;
}

// Lists what moving the copies to the trash keeps and moves; with run, moves them.
ExitStatus trashCopies(const QByteArray& folder, const NameList& entries, KeepRule rule, bool run)
{
    const auto findings = contentFindings(folder, entries);
    if (!findings)
        return ExitStatus::Interrupted;
    const std::vector<CopiesMove> moves = copiesToMove(*findings, entries, rule);
    if (moves.empty()) {
        printLine(kNoCopiesToMove);
        return ExitStatus::Done;
    }
    const std::vector<TrashCandidate> names = trashCandidates(*findings, entries, moves);
    if (!Trash().hasTrashFor(withTrailingSeparator(folder) + names.front().name)) {
        printError(kNoTrashOnVolume);
        return ExitStatus::NothingDone;
    }
    printLine(copiesMoveLines(entries, *findings, moves).join(u'\n'));
    return run ? moveCopiesToTrash(folder, names) : ExitStatus::Done;
}

} // namespace

void addCheckOptions(QCommandLineParser& parser)
{
    parser.addOptions({
        {QStringLiteral("content"), CommandLineText::tr("比较文件内容，而不只是大小")},
        {QStringLiteral("trash-copies"),
         CommandLineText::tr("列出每组副本保留哪个文件、哪些移到回收站（需要 --content）")},
        {QStringLiteral("keep"),
         CommandLineText::tr("每组保留的文件：oldest（最早的）、newest（最新的）、"
                             "shortest（路径最短的）或 first（列表中第一个）"),
         QStringLiteral("RULE")},
        {QStringLiteral("run"), CommandLineText::tr("真的把副本移到回收站（可用 undo 撤销）")},
    });
    parser.addPositionalArgument(QStringLiteral("FOLDER"), CommandLineText::tr("文件所在的文件夹"));
}

ExitStatus checkCommand(const QCommandLineParser& parser)
{
    if (parser.positionalArguments().size() != 1) {
        printError(CommandLineText::tr("需要一个文件夹"));
        return ExitStatus::Usage;
    }
    const QByteArray folder = folderPathOf(parser.positionalArguments().front());
    const std::optional<NameList> entries = readListedFiles(folder, FilePattern::everything());
    if (!entries) {
        printError(CommandLineText::tr("无法读取文件夹：%1").arg(displayText(folder)));
        return ExitStatus::NothingDone;
    }
    const bool content = parser.isSet(QStringLiteral("content"));
    const bool trash = parser.isSet(QStringLiteral("trash-copies"));
    if (trash) {
        const auto rule = valueOfWord<KeepRule>(parser.value(QStringLiteral("keep")),
                                                {{u"oldest", KeepRule::Oldest},
                                                 {u"newest", KeepRule::Newest},
                                                 {u"shortest", KeepRule::ShortestPath},
                                                 {u"first", KeepRule::First}});
        if (!content || !rule) {
            printError(CommandLineText::tr(
                "--trash-copies 需要 --content 和 --keep oldest|newest|shortest|first"));
            return ExitStatus::Usage;
        }
        return trashCopies(folder, *entries, *rule, parser.isSet(QStringLiteral("run")));
    }
    if (parser.isSet(QStringLiteral("keep")) || parser.isSet(QStringLiteral("run"))) {
        printError(CommandLineText::tr("--keep 和 --run 只与 --trash-copies 一起使用"));
        return ExitStatus::Usage;
    }
    return content ? printContentReport(folder, *entries) : printSizeReport(folder, *entries);
}

} // namespace vornak
