#pragma once

#include "RenameEngine.h"

#include "widgets/FileList.h"

#include <QObject>

namespace vornak {

// Shows in File1 what a run or an undo of the engine did: the folder as the job read it again
// on its own thread, and the file selected when the job started selected under the name it
// has now.
class FileListFollower : public QObject {
    Q_OBJECT
public:
    FileListFollower(FileList& fileList, RenameEngine& engine, QObject* parent);

private:
    // Notes what File1 shows as a job starts, and gives the job the way to read it again.
    RenameEngine::FolderRead noteShown();
    void followRun(const RenameJob& job, const RunRecord& record, const Listing& listing);
    void followUndo(const UndoReport& report, const Listing& listing);
    void show(const QByteArray& folder, const Listing& listing, const QByteArray& selectedNow);

    FileList& m_fileList;
    QByteArray m_shownPath;
    QString m_shownPattern;
    QByteArray m_selected;
};

} // namespace vornak
