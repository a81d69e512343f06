#include "SizeCheck.h"

#include "DuplicateReport.h"

#include "platform/Messages.h"

namespace vornak {

namespace {

// Each entry's length, one query each, relative to the open folder.
Lengths measureEntries(const std::vector<FileEntry>& entries, const FolderPath& folderPath,
                       const Platform& platform)
{
    const OpenFolder folder = platform.openFolder(folderPath.bytes());
    Lengths lengths;
    lengths.reserve(entries.size());
    for (const FileEntry& entry : entries)
        lengths.push_back(folder.fileLength(entry.name));
    return lengths;
}

} // namespace

QString buildFullCheckReport(const FileList& file1, const FolderPath& folderPath,
                             const Platform& platform)
{
    const std::vector<FileEntry>& entries = file1.entries();
    return fullCheckReport(entries, measureEntries(entries, folderPath, platform));
}

SizeCheck::SizeCheck(FileList& file1, const FolderPath& folderPath, Platform& platform)
    : m_file1(file1), m_folderPath(folderPath), m_platform(platform)
{}

void SizeCheck::onCheckFile()
{
    const QByteArray selectedPath = m_folderPath.pathOf(m_file1.selectedName());
    const std::optional<qint64> selectedLength = m_platform.fileLength(selectedPath);
    if (!m_platform.probe(selectedPath, ProbeMask::OrdinaryFiles)) {
        showMissingFileMessage(m_platform, m_folderPath, m_file1.selectedName());
        return;
    }
    const int selected = m_file1.selectedIndex();
    const std::vector<FileEntry>& entries = m_file1.entries();
    const QString report = singleCheckReport(
        entries, measureEntries(entries, m_folderPath, m_platform), selected, selectedLength);
    m_platform.messageBox(report, MessageButtons::Ok, kResultsTitle);
}

void SizeCheck::onCheckAll()
{
    m_file1.refresh();
    const QString report = buildFullCheckReport(m_file1, m_folderPath, m_platform);
    if (report.isEmpty())
        m_platform.messageBox(kNoEqualFiles, MessageButtons::Ok, kResultsTitle);
    else
        showReport(report);
}

void SizeCheck::showReport(const QString& report)
{
    if (!m_form2)
        m_form2 = new ResultsWindow(m_platform);
    m_form2->show();
    m_form2->setReport(report);
}

} // namespace vornak
