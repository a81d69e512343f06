#pragma once

#include "core/jobs/BackgroundJob.h"
#include "widgets/FileList.h"
#include "widgets/FolderList.h"

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

namespace vornak {

// Keeps the folder and file lists showing what is on the disk while other programs change
// their folder: the folders they show are watched, and on a change both lists are read again
// on a thread of their own and shown keeping the user's place (selected file, current row,
// scroll bars). The folders above them are watched too, for a shown folder moved away; the
// lists then leave it as they leave any folder that is gone. Changes are gathered: a read starts
// once the folder has been quiet for a moment or a second after the first change, and never sooner
// than a second after the one before.
//
// The program's own runs and undos rename up to a million files, more changes than the kernel
// queues; the watch pauses for them, and the job reads the folder itself when it ends.
class FolderWatch : public QObject {
    Q_OBJECT
public:
    struct Controls {
        FolderList& folderList;
        FileList& fileList;
    };

    FolderWatch(Controls controls, QObject* parent);

public Q_SLOTS:
    // The lists moved: the watch moves with them.
    void follow();
    // Reads the lists again at once (F5), for changes a watch cannot see, such as those made on
    // the far side of a network mount.
    void rereadNow();
    // A job of the program's own starts changing the folder.
    void pause();
    // The job has ended and shown the folder as it left it: watching starts again.
    void resume();

Q_SIGNALS:
    // Both lists are being read again (not only checked for a folder that went).
    void rereadStarted();
    // A folder the lists show can no longer be read.
    void folderLost();

private:
    struct Reading;

    void noteChange(const QString& folder);
    void scheduleRead();
    void read();
    void show(Reading reading);

    Controls m_controls;
    QFileSystemWatcher m_watcher;
    QTimer m_delay;
    QElapsedTimer m_sinceFirstChange;
    QElapsedTimer m_sinceLastRead;
    bool m_paused = false;
    bool m_changed = false;
    // The shown folders, not only those above them, have changed since the last read.
    bool m_shownChanged = false;
    QStringList m_shown;
    // Counts moves and pauses: a read started before one shows nothing.
    quint64 m_generation = 0;
    // Last, so that it is destroyed first: its read is stopped and waited for before the rest
    // goes.
    BackgroundJob m_job;
};

} // namespace vornak
