#include "cli/JournalCommands.h"

#include "cli/CommandLineText.h"
#include "cli/Output.h"
#include "core/names/NativePath.h"
#include "core/run/RenameJournal.h"
#include "texts/KeptFileLines.h"
#include "texts/RunTexts.h"

#include <QDateTime>

namespace vornak {

namespace {

// Run ids are the time the run began, in nanoseconds since the epoch.
QString startOf(qint64 id)
{
    return QDateTime::fromMSecsSinceEpoch(id / 1'000'000).toString(Qt::ISODate);
}

} // namespace

void addUndoOptions(QCommandLineParser& parser)
{
    parser.addPositionalArgument(
        QStringLiteral("RUN"),
        CommandLineText::tr("要撤销的重命名（history 列出的编号）；默认为最近一次"),
        QStringLiteral("[RUN]"));
}

ExitStatus undoCommand(const QCommandLineParser& parser)
{
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() > 1) {
        printError(CommandLineText::tr("只能撤销一次重命名"));
        return ExitStatus::Usage;
    }
    const RenameJournal journal(RenameJournal::defaultFolder());
    qint64 id = 0;
    if (arguments.isEmpty()) {
        const std::optional<RunInfo> last = journal.lastRun();
        if (!last) {
            printError(runText::kNothingToUndo);
            return ExitStatus::NothingDone;
        }
        id = last->id;
    } else {
        bool ok = false;
        id = arguments.front().toLongLong(&ok);
        if (!ok) {
            printError(CommandLineText::tr("无效的编号：%1").arg(arguments.front()));
            return ExitStatus::Usage;
        }
    }
    const UndoReport report = journal.undo(id);
    switch (report.status) {
    case UndoStatus::Undone:
        break;
    case UndoStatus::NoSuchRun:
        printError(runText::kNoSuchRun);
        return ExitStatus::NothingDone;
    case UndoStatus::InProgress:
        printError(runText::kRunInProgress);
        return ExitStatus::NothingDone;
    case UndoStatus::FolderUnavailable:
        printSystemError(runText::kUndoFolderUnavailable, report.folder, report.error);
        return ExitStatus::NothingDone;
    case UndoStatus::JournalUnreadable:
        printError(runText::kJournalUnreadable);
        return ExitStatus::NothingDone;
    }
    for (const UndoStep& step : report.steps)
        if (isTold(step))
            printError(undoFailureLine(step));
    const UndoTally tally = tallyOf(report);
    printLine(runText::undoSummary(tally.restored, tally.notRestored));
    return tally.notRestored == 0 ? ExitStatus::Done : ExitStatus::FilesKept;
}

ExitStatus historyCommand()
{
    for (const RunInfo& run : RenameJournal(RenameJournal::defaultFolder()).runs()) {
        QString line = QStringLiteral("%1\t%2\t%3\t%4")
                           .arg(run.id)
                           .arg(startOf(run.id), displayText(run.folder))
                           .arg(run.files.value_or(run.steps));
        if (run.kind == RunKind::ToTrash)
            line += u'\t' + CommandLineText::tr("移到回收站");
        if (!run.complete)
            line += u'\t' + CommandLineText::tr("未完成");
        printLine(line);
    }
    return ExitStatus::Done;
}

} // namespace vornak
