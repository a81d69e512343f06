#include "core/fields/FileDatesReader.h"

#include "core/fields/AudioTagsRead.h"
#include "core/fields/PhotoDate.h"
#include "core/fs/FileDescriptor.h"

#include <fcntl.h>

namespace vornak {

namespace {

// How often the window learns how far a read has got.
constexpr int kProgressMs = 100;

// The value known for the file, or read now and kept.
template <typename Value, typename Read>
Value cached(QHash<FileIdentity, Value>& known, std::mutex& mutex, const FileIdentity& identity,
             Read read)
{
    {
        const std::lock_guard lock(mutex);
        const auto found = known.constFind(identity);
        if (found != known.cend())
            return *found;
    }
    Value value = read();
    const std::lock_guard lock(mutex);
    known.insert(identity, value);
    return value;
}

} // namespace

FileDatesReader::FileDatesReader(QObject* parent) : QObject(parent)
{
    m_progressTimer.setInterval(kProgressMs);
    connect(&m_progressTimer, &QTimer::timeout, this, &FileDatesReader::reportProgress);
    // Also after a read that failed and delivered nothing.
    connect(&m_job, &BackgroundJob::finished, &m_progressTimer, &QTimer::stop);
}

void FileDatesReader::cancel()
{
    m_reading = false;
    m_progressTimer.stop();
    m_job.stop();
}

void FileDatesReader::start(const QByteArray& folderPath, NameList entries, FieldsToRead fields)
{
    m_reading = true;
    m_progressTimer.start();
    m_job.start(
        [folderPath, entries = std::move(entries), fields, cache = m_cache](JobControl& control) {
            return read(folderPath, entries, fields, *cache, control);
        },
        [this](std::vector<FileDates> dates) {
            // A cancelled read still ends here, stopped short: its dates are not the entries'.
            if (!m_reading)
                return;
            m_reading = false;
            Q_EMIT datesRead(dates);
        });
}

void FileDatesReader::reportProgress()
{
    if (const JobControl* control = m_job.control())
        Q_EMIT progressed(static_cast<std::size_t>(control->done()),
                          static_cast<std::size_t>(control->total()));
}

std::vector<FileDates> FileDatesReader::readNow(const QByteArray& folderPath,
                                                const NameList& entries, FieldsToRead fields)
{
    TakenCache cache;
    JobControl control;
    return read(folderPath, entries, fields, cache, control);
}

std::vector<FileDates> FileDatesReader::read(const QByteArray& folderPath, const NameList& entries,
                                             FieldsToRead fields, TakenCache& cache,
                                             JobControl& control)
{
    std::vector<FileDates> dates(entries.size());
    const FileDescriptor dir(::open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.isOpen())
        return dates;
    const auto total = static_cast<qint64>(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (control.stopRequested())
            return {};
        control.setProgress(static_cast<qint64>(i), total);
        const QByteArray name = entries.nameAt(i);
        const auto identity = identityAt(dir.get(), name.constData(), Links::Followed);
        if (!identity)
            continue;
        dates[i].modified = identity->modifiedNs / 1'000'000;
        const QByteArray path = folderPath + name;
        if (fields.taken)
            dates[i].taken = cached(cache.dates, cache.mutex, *identity, [&path] {
                const auto date = photoTakenAt(path);
                return date ? std::optional(date->toMSecsSinceEpoch()) : std::nullopt;
            });
        if (fields.tags)
            dates[i].tags =
                cached(cache.tags, cache.mutex, *identity, [&path] { return audioTagsOf(path); });
    }
    return dates;
}

} // namespace vornak
