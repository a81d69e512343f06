#include "SizeCheck.h"

#include "texts/SingleCheckReport.h"

#include "core/fs/FileSystem.h"
#include "core/fs/OpenFolder.h"
#include "platform/Messages.h"

namespace vornak {

namespace {

// Each entry's length, one query each, relative to the open folder.
Lengths measureEntries(const FileList& fileList)
{
    const NameList& entries = fileList.names();
    const OpenFolder folder(fileList.path());
    Lengths lengths;
    lengths.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        lengths.push_back(folder.fileLength(entries.nameAt(i)));
    return lengths;
}

} // namespace

std::unique_ptr<FullCheckReport> buildFullCheckReport(const FileList& fileList)
{
    return std::make_unique<FullCheckReport>(fileList.names(), measureEntries(fileList));
}

SizeCheck::SizeCheck(FileList& fileList, Platform& platform, QObject* parent)
    : QObject(parent), m_fileList(fileList), m_platform(platform)
{}

void SizeCheck::checkFile()
{
    const QByteArray folderPath = m_fileList.folderPath();
    const QByteArray selectedName = m_fileList.selectedName();
    const QByteArray selectedPath = folderPath + selectedName;
    const std::optional<qint64> selectedLength = fs::fileLength(selectedPath);
    if (!fs::isListedFile(selectedPath)) {
        showMissingFileMessage(m_platform, folderPath, selectedName);
        return;
    }
    const NameList& entries = m_fileList.names();
    const auto selected = std::uint32_t(m_fileList.selectedIndex());
    auto report = std::make_unique<SingleCheckReport>(entries, measureEntries(m_fileList), selected,
                                                      selectedLength);
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
    std::unique_ptr<FullCheckReport> report = buildFullCheckReport(m_fileList);
    if (report->pairCount() == 0)
        m_platform.messageBox(kNoEqualFiles, MessageButtons::Ok, kResultsTitle);
    else
        showInResultsWindow(std::move(report));
}

void SizeCheck::showInResultsWindow(std::unique_ptr<const ReportLines> report)
{
    if (!m_resultsWindow)
        m_resultsWindow = new ResultsWindow(m_platform, kResultsTitle, m_fileList.window(),
                                            QStringLiteral("sizeCheck/place"));
    m_resultsWindow->showReport(std::move(report));
}

} // namespace vornak
