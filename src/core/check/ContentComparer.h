#pragma once

#include "core/check/ContentFile.h"
#include "core/check/ContentGroups.h"

#include <memory>
#include <span>
#include <vector>

struct XXH3_state_s;

namespace vornak {

// Settles groups of files of equal length into classes of equal bytes, within the limits of
// the options: files held open, bytes held in memory, progress and stopping.
class ContentComparer {
public:
    // options.openFiles must be at least 2 and blockBytes at most chunkBytes.
    ContentComparer(int folder, const NameList& entries, const ContentOptions& options);
    ~ContentComparer();
    ContentComparer(const ContentComparer&) = delete;
    ContentComparer& operator=(const ContentComparer&) = delete;

    // The bytes settling a group of files of this length will count as progress.
    qint64 plannedBytes(std::size_t files, qint64 length) const;
    // The total that progress is reported against.
    void setTotal(qint64 total) { m_total = total; }

    // Gives each file of one length its fate; files found equal get class numbers that no
    // earlier group used. False when the check was stopped.
    [[nodiscard]] bool settle(std::span<ContentFile> files);
    std::uint32_t classCount() const { return m_classes; }

private:
    using Files = std::vector<ContentFile*>;

    bool stopped() const { return m_options.stop.stop_requested(); }
    qint64 shareOf(std::size_t files, qint64 length) const;
    qint64 chunkFor(std::size_t files) const;
    char* buffer(qint64 bytes);

    bool settleWithoutComparing(const Files& files);
    bool settleSideBySide(const Files& files);
    // Opens the files and adds them to opened; one that cannot be opened is retired. False once
    // the check is stopped.
    bool openEach(const Files& files, Files& opened);
    bool narrowByEnds(const Files& files);
    bool settleInBatches(const Files& files);
    // Reads the reference side by side with the others, each of them up to where it differs;
    // the others end in same or differ, unless they fail. False when the check was stopped.
    bool compareWith(ContentFile& reference, const Files& others, Files& same, Files& differ);
    bool settleAmong(const Files& files);
    bool settleByWholeHash(const Files& files);
    // Moves past what every file holds as a hole from from on, up to limit.
    qint64 skipHoles(const Files& files, qint64 from, qint64 limit);
    // Reads [from, end) of every file into chunks; files that fail leave the group.
    bool readAll(Files& files, qint64 from, qint64 end, std::vector<std::string_view>& chunks);
    std::vector<Files> splitByBytes(const Files& files,
                                    std::span<const std::string_view> chunks) const;

    void endAlone(ContentFile& file);
    void endTogether(const Files& files);
    // Counts what is left of the file's share as done and closes it.
    void retire(ContentFile& file);
    void advance(ContentFile& file, qint64 bytes);
    void reportProgress() const;

    int m_folder;
    const NameList& m_entries;
    const ContentOptions& m_options;
    qint64 m_done = 0;
    qint64 m_total = 0;
    std::uint32_t m_classes = 0;
    std::unique_ptr<char[]> m_buffer;
    qint64 m_bufferSize = 0;
    XXH3_state_s* m_hash;
};

} // namespace vornak
