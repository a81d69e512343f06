#include "cli/PlanRun.h"

#include "cli/CommandLineText.h"
#include "cli/Output.h"
#include "cli/PlanOutput.h"
#include "cli/StopSignal.h"
#include "core/jobs/JobControl.h"
#include "core/run/RenameJob.h"
#include "texts/KeptFileLines.h"
#include "texts/RunTexts.h"

#include <unistd.h>

#include <algorithm>

namespace vornak {

namespace {

PlanOutputFormat outputFormatOf(const QCommandLineParser& parser)
{
    if (parser.isSet(QStringLiteral("null")))
        return parser.isSet(QStringLiteral("old")) ? PlanOutputFormat::OldNames
                                                   : PlanOutputFormat::NewNames;
    if (parser.isSet(QStringLiteral("json")))
        return PlanOutputFormat::Json;
    if (parser.isSet(QStringLiteral("tsv")) || !::isatty(STDOUT_FILENO))
        return PlanOutputFormat::PlanText;
    return PlanOutputFormat::Table;
}

ExitStatus runPlan(const FolderPlan& plan)
{
    if (!std::all_of(plan.folders.begin(), plan.folders.end(),
                     [](const PlannedFolder& folder) { return folder.batch.runnable; })) {
        printError(
            CommandLineText::tr("有文件名无法在限定时间内用表达式处理，没有重命名任何文件。"));
        return ExitStatus::NothingDone;
    }
    const RenameJob job = treeJob(plan.folder, plan.folders);
    RunRecord record;
    record.kept = job.keptBefore;
    JobControl control;
    if (!job.plan.empty()) {
        const QByteArray journalFolder = RenameJournal::defaultFolder();
        const StopOnInterrupt stopOnInterrupt(control);
        record = runJob(RenameJournal(journalFolder), job, &control);
        switch (record.journalError) {
        case JournalError::None:
            break;
        case JournalError::JournalUnwritable:
            printSystemError(runText::kJournalUnwritable, journalFolder, record.journalErrorNumber);
            return ExitStatus::NothingDone;
        case JournalError::FolderUnavailable:
            printSystemError(runText::kRunFolderUnavailable, plan.folder,
                             record.journalErrorNumber);
            return ExitStatus::NothingDone;
        }
    }
    printLine(runText::runSummary(record.renamedCount, record.kept.size()));
    for (const KeptFile& kept : record.kept)
        printError(keptFileLine(kept));
    if (control.stopRequested())
        return ExitStatus::Interrupted;
    return record.kept.empty() && plan.unreadable.empty() ? ExitStatus::Done
                                                          : ExitStatus::FilesKept;
}

} // namespace

void addOutputOptions(QCommandLineParser& parser)
{
    parser.addOptions({
        {QStringLiteral("tsv"), CommandLineText::tr("以计划文本输出（制表符分隔）")},
        {QStringLiteral("json"), CommandLineText::tr("以 JSON Lines 输出")},
        {{QStringLiteral("0"), QStringLiteral("null")},
         CommandLineText::tr("输出每个新文件名的原始字节，以 NUL 结尾")},
        {QStringLiteral("old"), CommandLineText::tr("与 -0 同用：输出原文件名")},
    });
}

ExitStatus showOrRun(const QCommandLineParser& parser, const FolderPlan& plan, bool rename)
{
    if (interrupted())
        return ExitStatus::Interrupted;
    for (const UnreadableFolder& folder : plan.unreadable)
        printSystemError(CommandLineText::tr("无法读取文件夹"), plan.folder + folder.path,
                         folder.error);
    if (rename)
        return runPlan(plan);
    writePlan(stdout, plan, outputFormatOf(parser));
    return ExitStatus::Done;
}

} // namespace vornak
