#include "cli/CheckCommand.h"

#include "cli/CommandLineText.h"
#include "cli/Output.h"
#include "cli/PlanRequest.h"
#include "cli/StopSignal.h"
#include "core/check/ContentGroups.h"
#include "core/fs/FolderReader.h"
#include "core/fs/OpenFolder.h"
#include "core/jobs/JobControl.h"
#include "core/names/NativePath.h"
#include "texts/ContentReport.h"
#include "texts/FullCheckReport.h"

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

ExitStatus printContentReport(const QByteArray& folder, const NameList& entries)
{
    JobControl control;
    ContentOptions options;
    options.stop = control.stopToken();
    options.progress = [&control](qint64, qint64) {
        if (interrupted())
            control.requestStop();
    };
    const ContentFindings findings = findIdenticalContents(folder, entries, options);
    if (findings.cancelled || control.stopRequested())
        return ExitStatus::Interrupted;
    const QStringList report = contentReport(entries, findings);
    printLine(report.isEmpty() ? kNoIdenticalFiles.toString() : report.join(u'\n'));
    return ExitStatus::Done;
}

} // namespace

void addCheckOptions(QCommandLineParser& parser)
{
    parser.addOption(
        {QStringLiteral("content"), CommandLineText::tr("比较文件内容，而不只是大小")});
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
    return parser.isSet(QStringLiteral("content")) ? printContentReport(folder, *entries)
                                                   : printSizeReport(folder, *entries);
}

} // namespace vornak
