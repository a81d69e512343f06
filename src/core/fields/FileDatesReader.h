#pragma once

#include "core/fs/FileIdentity.h"
#include "core/names/NameList.h"
#include "core/plan/NumberingOrder.h"

#include <QByteArray>
#include <QHash>
#include <QObject>

#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace vornak {

// The dates a batch is numbered by, read away from the window's thread: a photo's EXIF date
// takes a file open and a read, 100,000 of them far longer than an edit may. Photo dates are
// kept by file identity, so a file is read again only once it has changed, and a read is
// dropped as soon as a newer one is asked for.
class FileDatesReader : public QObject {
    Q_OBJECT
public:
    explicit FileDatesReader(QObject* parent = nullptr);
    ~FileDatesReader() override;

    // Starts reading the dates of the entries of the folder (a path ending in a separator):
    // modification times, and photo dates when taken. Drops a read under way.
    void start(const QByteArray& folderPath, NameList entries, bool taken);
    // Drops a read under way; its dates never arrive.
    void cancel();
    bool isReading() const { return m_reading; }
    // The same reading, done at once in the calling thread.
    std::vector<FileDates> readNow(const QByteArray& folderPath, const NameList& entries,
                                   bool taken);

Q_SIGNALS:
    void progressed(std::size_t done, std::size_t total);
    // The dates of the last start(), one per entry.
    void datesRead(const std::vector<FileDates>& dates);

private:
    using Progress = std::function<void(std::size_t done)>;

    std::vector<FileDates> read(const QByteArray& folderPath, const NameList& entries, bool taken,
                                std::stop_token stop, const Progress& progress);
    std::optional<qint64> takenAt(const QByteArray& path, const FileIdentity& identity);

    std::mutex m_cacheMutex;
    QHash<FileIdentity, std::optional<qint64>> m_takenCache;
    quint64 m_generation = 0;
    bool m_reading = false;
    // Last, so that it stops before what it uses goes.
    std::jthread m_thread;
};

} // namespace vornak
