#include "FileListFollower.h"

#include "core/fs/FolderReader.h"
#include "core/names/NativePath.h"

namespace vornak {

FileListFollower::FileListFollower(FileList& fileList, RenameEngine& engine, QObject* parent)
    : QObject(parent), m_fileList(fileList)
{
    engine.setFolderReread([this] { return noteShown(); });
    connect(&engine, &RenameEngine::runEnded, this, &FileListFollower::followRun);
    connect(&engine, &RenameEngine::undoEnded, this, &FileListFollower::followUndo);
}

RenameEngine::FolderRead FileListFollower::noteShown()
{
    m_shownPath = m_fileList.path();
    m_shownPattern = m_fileList.pattern().text();
    m_selected = m_fileList.selectedName();
    if (m_shownPath.isEmpty())
        return nullptr;
    return [path = m_shownPath, pattern = m_fileList.pattern()] {
        return readListedFiles(path, pattern);
    };
}

void FileListFollower::followRun(const RenameJob& job, const RunRecord& record,
                                 const Listing& listing)
{
    show(job.folder, listing, nameAfterRun(job, record, m_selected));
}

void FileListFollower::followUndo(const UndoReport& report, const Listing& listing)
{
    QByteArray selected = m_selected;
    for (const UndoStep& step : report.steps)
        if (step.outcome == UndoOutcome::Restored && step.newName == selected)
            selected = step.oldName;
    show(report.folder, listing, selected);
}

void FileListFollower::show(const QByteArray& folder, const Listing& listing,
                            const QByteArray& selectedNow)
{
    // A list that shows something else than when the job started reads its folder itself.
    if (listing && m_fileList.path() == m_shownPath &&
        m_fileList.pattern().text() == m_shownPattern)
        m_fileList.showEntries(*listing);
    else
        m_fileList.refresh();
    if (m_fileList.folderPath() == withTrailingSeparator(folder))
        m_fileList.selectName(selectedNow);
}

} // namespace vornak
