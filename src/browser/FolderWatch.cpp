#include "FolderWatch.h"

#include "core/fs/FolderReader.h"
#include "core/fs/OpenFolder.h"
#include "core/names/NativePath.h"

#include <QFile>

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

namespace vornak {

namespace {

using std::chrono::milliseconds;

// How long the folder stays quiet before a read, so that a burst of changes is read once.
constexpr qint64 kQuietMs = 200;
// The longest a change waits, and the shortest time between two reads.
constexpr qint64 kGapMs = 1000;

} // namespace

struct FolderWatch::Reading {
    quint64 generation;
    QByteArray folderPath;
    QByteArray filePath;
    FilePattern pattern;
    std::optional<NameList> subfolders{};
    std::optional<NameList> files{};
    bool lost = false;
};

FolderWatch::FolderWatch(Controls controls, QObject* parent)
    : QObject(parent), m_controls(controls), m_watcher(this)
{
    m_delay.setSingleShot(true);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &FolderWatch::noteChange);
    connect(&m_delay, &QTimer::timeout, this, &FolderWatch::read);
    // Changes seen while a read went are read after it.
    connect(&m_job, &BackgroundJob::finished, this, [this] {
        if (m_changed)
            scheduleRead();
    });
}

void FolderWatch::follow()
{
    // Moving there read both lists.
    ++m_generation;
    m_changed = false;
    m_shownChanged = false;
    m_delay.stop();
    m_shown.clear();
    QStringList wanted;
    for (const QByteArray& path : {m_controls.folderList.path(), m_controls.fileList.path()}) {
        // A folder whose name is not text cannot be watched; F5 reads it.
        if (path.isEmpty() || QFile::encodeName(QFile::decodeName(path)) != path)
            continue;
        m_shown.append(QFile::decodeName(path));
        // A folder moved away tells nothing itself; the folder above it sees it go.
        const QList<QByteArray> chain = folderChain(path);
        if (chain.size() > 1)
            wanted.append(QFile::decodeName(chain[chain.size() - 2]));
    }
    wanted.append(m_shown);
    wanted.removeDuplicates();
    if (m_paused)
        return;
    const QStringList watched = m_watcher.directories();
    for (const QString& folder : watched)
        if (!wanted.contains(folder))
            m_watcher.removePath(folder);
    for (const QString& folder : wanted)
        if (!watched.contains(folder))
            m_watcher.addPath(folder);
}

void FolderWatch::rereadNow()
{
    m_shownChanged = true;
    read();
}

void FolderWatch::pause()
{
    m_paused = true;
    follow();
    const QStringList watched = m_watcher.directories();
    if (!watched.isEmpty())
        m_watcher.removePaths(watched);
}

void FolderWatch::resume()
{
    m_paused = false;
    follow();
}

void FolderWatch::noteChange(const QString& folder)
{
    if (m_paused)
        return;
    m_shownChanged = m_shownChanged || m_shown.contains(folder);
    if (!m_changed) {
        m_changed = true;
        m_sinceFirstChange.start();
    }
    scheduleRead();
}

void FolderWatch::scheduleRead()
{
    // A read under way is followed by another when it ends.
    if (m_job.isRunning())
        return;
    qint64 wait = std::min(kQuietMs, kGapMs - m_sinceFirstChange.elapsed());
    if (m_sinceLastRead.isValid())
        wait = std::max(wait, kGapMs - m_sinceLastRead.elapsed());
    m_delay.start(milliseconds(std::max<qint64>(wait, 0)));
}

void FolderWatch::read()
{
    m_delay.stop();
    m_changed = false;
    m_sinceLastRead.start();
    const bool onlyAbove = !std::exchange(m_shownChanged, false);
    if (!onlyAbove)
        Q_EMIT rereadStarted();
    Reading shown{m_generation, m_controls.folderList.path(), m_controls.fileList.path(),
                  m_controls.fileList.pattern()};
    m_job.start(
        [reading = std::move(shown), onlyAbove](JobControl&) mutable {
            const auto gone = [](const QByteArray& path) {
                return !path.isEmpty() && OpenFolder(path).fd() < 0;
            };
            // When only the folder above changed, the lists are read only if theirs went.
            if (onlyAbove) {
                reading.lost = gone(reading.folderPath) || gone(reading.filePath);
                return reading;
            }
            if (!reading.folderPath.isEmpty())
                reading.subfolders = readSubfolders(reading.folderPath);
            if (!reading.filePath.isEmpty())
                reading.files = readListedFiles(reading.filePath, reading.pattern);
            reading.lost = (!reading.folderPath.isEmpty() && !reading.subfolders) ||
                           (!reading.filePath.isEmpty() && !reading.files);
            return reading;
        },
        [this](Reading reading) { show(std::move(reading)); });
}

void FolderWatch::show(Reading reading)
{
    // The lists have moved or been read by a job of the program's own since.
    if (reading.generation != m_generation)
        return;
    if (reading.subfolders)
        m_controls.folderList.showSubfolders(*reading.subfolders);
    // A new filter has read the files itself.
    if (reading.files && reading.pattern.text() == m_controls.fileList.pattern().text())
        m_controls.fileList.showEntries(std::move(*reading.files));
    if (reading.lost)
        Q_EMIT folderLost();
}

} // namespace vornak
