#include "SizeCheck.h"

#include "SingleCheckReport.h"

#include "core/FolderPath.h"
#include "core/NativePath.h"
#include "platform/Messages.h"

namespace vornak {

namespace {

// Each entry's length, one query each, relative to the open folder.
Lengths measureEntries(const NameList& entries, const QByteArray& folder, const Platform& platform)
{
    const OpenFolder open = platform.openFolder(folder);
    Lengths lengths;
    lengths.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        lengths.push_back(open.fileLength(entries.nameAt(i)));
    return lengths;
}

} // namespace

std::unique_ptr<FullCheckReport> buildFullCheckReport(const FileList& fileList,
                                                      const Platform& platform)
{
    const NameList& entries = fileList.names();
    return std::make_unique<FullCheckReport>(entries,
                                             measureEntries(entries, fileList.path(), platform));
}

SizeCheck::SizeCheck(FileList& fileList, Platform& platform, QObject* parent)
    : QObject(parent), m_fileList(fileList), m_platform(platform)
{}

void SizeCheck::checkFile()
{
    const QByteArray selectedName = m_fileList.selectedName();
    const QByteArray selectedPath = withTrailingSeparator(m_fileList.path()) + selectedName;
    const std::optional<qint64> selectedLength = m_platform.fileLength(selectedPath);
    if (!m_platform.probe(selectedPath, ProbeMask::OrdinaryFiles)) {
        FolderPath folderPath;
        folderPath.update(m_fileList.path());
        showMissingFileMessage(m_platform, folderPath, selectedName);
        return;
    }
    const NameList& entries = m_fileList.names();
    const auto selected = std::uint32_t(m_fileList.selectedIndex());
    auto report = std::make_unique<SingleCheckReport>(
        entries, measureEntries(entries, m_fileList.path(), m_platform), selected, selectedLength);
    if (report->pairCount() == 0)
        m_platform.messageBox(noMatchText(entries.displayNameAt(selected)), MessageButtons::Ok,
                              kResultsTitle);
    else if (report->lineCount() <= kMessageBoxLines)
        m_platform.messageBox(report->text(), MessageButtons::Ok, kResultsTitle);
    else
        showInResultsWindow(std::move(report));
}

void SizeCheck::checkAll()
{
    m_fileList.refresh();
    std::unique_ptr<FullCheckReport> report = buildFullCheckReport(m_fileList, m_platform);
    if (report->pairCount() == 0)
        m_platform.messageBox(kNoEqualFiles, MessageButtons::Ok, kResultsTitle);
    else
        showInResultsWindow(std::move(report));
}

void SizeCheck::showInResultsWindow(std::unique_ptr<const ReportLines> report)
{
    if (!m_resultsWindow)
        m_resultsWindow = new ResultsWindow(m_platform, kResultsTitle, m_fileList.window());
    m_resultsWindow->showReport(std::move(report));
}

} // namespace vornak
