#pragma once

#include "core/fs/FileIdentity.h"
#include "core/jobs/BackgroundJob.h"
#include "core/names/NameList.h"
#include "core/plan/NumberingOrder.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTimer>

#include <memory>
#include <mutex>
#include <vector>

namespace vornak {

// The dates a batch is numbered by, and the tags its pattern writes, read away from the window's
// thread: a photo's EXIF date takes a file open and a read, 100,000 of them far longer than an edit
// may. Photo dates and tags are kept by file identity, so a file is read again only once it has
// changed, and a read is dropped as soon as a newer one is asked for.
class FileDatesReader : public QObject {
    Q_OBJECT
public:
    explicit FileDatesReader(QObject* parent = nullptr);

    // Starts reading the dates of the entries of the folder (a path ending in a separator):
    // modification times, and the photo dates and audio tags asked for. Drops a read under way.
    void start(const QByteArray& folderPath, NameList entries, FieldsToRead fields);
    // Drops a read under way; its dates never arrive.
    void cancel();
    bool isReading() const { return m_reading; }
    // The dates start() reads, read on the calling thread: a job's, or the command line's.
    static std::vector<FileDates> readNow(const QByteArray& folderPath, const NameList& entries,
                                          FieldsToRead fields);

Q_SIGNALS:
    void progressed(std::size_t done, std::size_t total);
    // The dates of the last start(), one per entry.
    void datesRead(const std::vector<FileDates>& dates);

private:
    // The photo dates and audio tags known, by file identity; shared with reads still under way.
    struct TakenCache {
        std::mutex mutex;
        QHash<FileIdentity, std::optional<qint64>> dates;
        QHash<FileIdentity, std::optional<AudioTags>> tags;
    };

    static std::vector<FileDates> read(const QByteArray& folderPath, const NameList& entries,
                                       FieldsToRead fields, TakenCache& cache, JobControl& control);
    void reportProgress();

    std::shared_ptr<TakenCache> m_cache = std::make_shared<TakenCache>();
    bool m_reading = false;
    QTimer m_progressTimer;
    BackgroundJob m_job;
};

} // namespace vornak
