#include "SizeCheck.h"

#include "DuplicateReport.h"

#include "core/FileSystem.h"
#include "core/OpenFolder.h"
#include "platform/Messages.h"

namespace vornak {

namespace {

// Each entry's length, one query each, relative to the open folder.
Lengths measureEntries(const NameList& entries, const FolderPath& folderPath)
{
    const OpenFolder folder(folderPath.bytes());
    Lengths lengths;
    lengths.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        lengths.push_back(folder.fileLength(entries.nameAt(i)));
    return lengths;
}

} // namespace

QString buildFullCheckReport(const FileList& file1, const FolderPath& folderPath)
{
    const NameList& entries = file1.names();
    return fullCheckReport(entries, measureEntries(entries, folderPath));
}

SizeCheck::SizeCheck(FileList& file1, const FolderPath& folderPath, Platform& platform)
    : m_file1(file1), m_folderPath(folderPath), m_platform(platform)
{}

void SizeCheck::onCheckFile()
{
    const QByteArray selectedPath = m_folderPath.pathOf(m_file1.selectedName());
    const std::optional<qint64> selectedLength = fs::fileLength(selectedPath);
    if (!fs::isListedFile(selectedPath)) {
        showMissingFileMessage(m_platform, m_folderPath, m_file1.selectedName());
        return;
    }
    const int selected = m_file1.selectedIndex();
    const NameList& entries = m_file1.names();
    const QString report =
        singleCheckReport(entries, measureEntries(entries, m_folderPath), selected, selectedLength);
    m_platform.messageBox(report, MessageButtons::Ok, kResultsTitle);
}

void SizeCheck::onCheckAll()
{
    m_file1.refresh();
    const QString report = buildFullCheckReport(m_file1, m_folderPath);
    if (report.isEmpty())
        m_platform.messageBox(kNoEqualFiles, MessageButtons::Ok, kResultsTitle);
    else
        showReport(report);
}

void SizeCheck::showReport(const QString& report)
{
    if (!m_form2)
        m_form2 = new ResultsWindow(m_platform, kResultsTitle);
    m_form2->show();
    m_form2->setReport(report);
}

} // namespace vornak
