#include "cli/JournalCommands.h"

#include "cli/CommandLineText.h"
#include "cli/Output.h"
#include "core/names/NativePath.h"
#include "core/run/RenameJournal.h"
#include "texts/KeptFileLines.h"

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
            printError(CommandLineText::tr("没有可以撤销的重命名。"));
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
        printError(CommandLineText::tr("这次重命名已经撤销，或已不在记录中。"));
        return ExitStatus::NothingDone;
    case UndoStatus::InProgress:
        printError(CommandLineText::tr("另一个 Vornak 正在处理这次重命名，请稍后再试。"));
        return ExitStatus::NothingDone;
    case UndoStatus::FolderUnavailable:
        printSystemError(CommandLineText::tr("无法打开文件夹，没有撤销任何文件。"), report.folder,
                         report.error);
        return ExitStatus::NothingDone;
    case UndoStatus::JournalUnreadable:
        printError(CommandLineText::tr("这次重命名的撤销记录已损坏，无法撤销；没有改动任何文件。"));
        return ExitStatus::NothingDone;
    }
    std::size_t restored = 0;
    std::size_t failed = 0;
    for (const UndoStep& step : report.steps) {
        if (step.outcome == UndoOutcome::Restored) {
            ++restored;
        } else if (step.outcome != UndoOutcome::NotRenamed) {
            ++failed;
            printError(undoFailureLine(step));
        }
    }
    printLine(CommandLineText::tr("已恢复 %1 个文件，%2 个未能恢复").arg(restored).arg(failed));
    return failed == 0 ? ExitStatus::Done : ExitStatus::FilesKept;
}

ExitStatus historyCommand()
{
    for (const RunInfo& run : RenameJournal(RenameJournal::defaultFolder()).runs()) {
        QString line = QStringLiteral("%1\t%2\t%3\t%4")
                           .arg(run.id)
                           .arg(startOf(run.id), displayText(run.folder))
                           .arg(run.steps);
        if (!run.complete)
            line += u'\t' + CommandLineText::tr("未完成");
        printLine(line);
    }
    return ExitStatus::Done;
}

} // namespace vornak
