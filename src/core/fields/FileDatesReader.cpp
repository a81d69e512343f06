#include "core/fields/FileDatesReader.h"

#include "core/fields/PhotoDate.h"
#include "core/fs/FileDescriptor.h"

#include <fcntl.h>

namespace vornak {

namespace {

// How often the window learns how far a read has got.
constexpr int kProgressMs = 100;

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

void FileDatesReader::start(const QByteArray& folderPath, NameList entries, bool taken)
{
    m_reading = true;
    m_progressTimer.start();
    m_job.start(
        [folderPath, entries = std::move(entries), taken, cache = m_cache](JobControl& control) {
            return read(folderPath, entries, taken, *cache, control);
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
                                                const NameList& entries, bool taken)
{
    TakenCache cache;
    JobControl control;
    return read(folderPath, entries, taken, cache, control);
}

std::vector<FileDates> FileDatesReader::read(const QByteArray& folderPath, const NameList& entries,
                                             bool taken, TakenCache& cache, JobControl& control)
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
        if (taken)
            dates[i].taken = takenAt(folderPath + name, *identity, cache);
    }
    return dates;
}

std::optional<qint64> FileDatesReader::takenAt(const QByteArray& path, const FileIdentity& identity,
                                               TakenCache& cache)
{
    {
        const std::lock_guard lock(cache.mutex);
        const auto known = cache.dates.constFind(identity);
        if (known != cache.dates.cend())
            return *known;
    }
    std::optional<qint64> taken;
    if (const auto date = photoTakenAt(path))
        taken = date->toMSecsSinceEpoch();
    const std::lock_guard lock(cache.mutex);
    cache.dates.insert(identity, taken);
    return taken;
}

} // namespace vornak
