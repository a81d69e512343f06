#include "core/fields/FileDatesReader.h"

#include "core/fields/PhotoDate.h"
#include "core/fs/FileDescriptor.h"

#include <fcntl.h>

namespace vornak {

namespace {

// How many entries pass between two progress reports.
constexpr std::size_t kProgressStep = 256;

} // namespace

FileDatesReader::FileDatesReader(QObject* parent) : QObject(parent) {}

FileDatesReader::~FileDatesReader()
{
    cancel();
}

void FileDatesReader::cancel()
{
    ++m_generation;
    m_reading = false;
    if (m_thread.joinable()) {
        m_thread.request_stop();
        m_thread.join();
    }
}

void FileDatesReader::start(const QByteArray& folderPath, NameList entries, bool taken)
{
    cancel();
    m_reading = true;
    const quint64 generation = m_generation;
    m_thread = std::jthread(
        [this, generation, folderPath, entries = std::move(entries), taken](std::stop_token stop) {
            const std::size_t total = entries.size();
            const auto progress = [&](std::size_t done) {
                QMetaObject::invokeMethod(
                    this,
                    [this, generation, done, total] {
                        if (generation == m_generation)
                            Q_EMIT progressed(done, total);
                    },
                    Qt::QueuedConnection);
            };
            std::vector<FileDates> dates = read(folderPath, entries, taken, stop, progress);
            if (stop.stop_requested())
                return;
            QMetaObject::invokeMethod(
                this,
                [this, generation, dates = std::move(dates)] {
                    if (generation != m_generation)
                        return;
                    m_reading = false;
                    Q_EMIT datesRead(dates);
                },
                Qt::QueuedConnection);
        });
}

std::vector<FileDates> FileDatesReader::readNow(const QByteArray& folderPath,
                                                const NameList& entries, bool taken)
{
    return read(folderPath, entries, taken, {}, {});
}

std::vector<FileDates> FileDatesReader::read(const QByteArray& folderPath, const NameList& entries,
                                             bool taken, std::stop_token stop,
                                             const Progress& progress)
{
    std::vector<FileDates> dates(entries.size());
    const FileDescriptor dir(::open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.isOpen())
        return dates;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (stop.stop_requested())
            return {};
        if (progress && i % kProgressStep == 0)
            progress(i);
        const QByteArray name = entries.nameAt(i);
        const auto identity = identityAt(dir.get(), name.constData(), Links::Followed);
        if (!identity)
            continue;
        dates[i].modified = identity->modifiedNs / 1'000'000;
        if (taken)
            dates[i].taken = takenAt(folderPath + name, *identity);
    }
    return dates;
}

std::optional<qint64> FileDatesReader::takenAt(const QByteArray& path, const FileIdentity& identity)
{
    {
        const std::lock_guard lock(m_cacheMutex);
        const auto known = m_takenCache.constFind(identity);
        if (known != m_takenCache.cend())
            return *known;
    }
    std::optional<qint64> taken;
    if (const auto date = photoTakenAt(path))
        taken = date->toMSecsSinceEpoch();
    const std::lock_guard lock(m_cacheMutex);
    m_takenCache.insert(identity, taken);
    return taken;
}

} // namespace vornak
