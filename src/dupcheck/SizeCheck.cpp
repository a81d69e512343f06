#include "SizeCheck.h"

#include "DuplicateReport.h"

#include "core/FileSystem.h"
#include "core/OpenFolder.h"
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

QString buildFullCheckReport(const FileList& fileList)
{
    return fullCheckReport(fileList.names(), measureEntries(fileList));
}

SizeCheck::SizeCheck(FileList& fileList, Platform& platform, QObject* parent)
    : QObject(parent), m_fileList(fileList), m_platform(platform)
{}

void SizeCheck::checkFile()
{
    const QByteArray folderPath = m_fileList.folderPath();
    const QByteArray selectedPath = folderPath + m_fileList.selectedName();
    const std::optional<qint64> selectedLength = fs::fileLength(selectedPath);
    if (!fs::isListedFile(selectedPath)) {
        showMissingFileMessage(m_platform, folderPath, m_fileList.selectedName());
        return;
    }
    const QString report = singleCheckReport(m_fileList.names(), measureEntries(m_fileList),
                                             m_fileList.selectedIndex(), selectedLength);
    m_platform.messageBox(report, MessageButtons::Ok, kResultsTitle);
}

void SizeCheck::checkAll()
{
    m_fileList.refresh();
    const QString report = buildFullCheckReport(m_fileList);
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
