#include "core/check/ContentComparer.h"

#include "core/check/EqualBytes.h"
#include "core/check/RunsOfEqualKeys.h"

#include <xxhash.h>

#include <algorithm>
#include <limits>
#include <new>

namespace vornak {

namespace {

// Memory for the chunks of one group read side by side: many files get smaller chunks.
constexpr qint64 kSideBySideBytes = qint64(32) << 20;

// Where a group read side by side stands: its first block (or the whole file when that fits
// one chunk), then its last block, then the middle in chunks. Most files of equal length that
// differ at all differ at one of their ends.
enum class Stage { Head, Tail, Middle };

// The files of a run of keyed files.
template <typename Keyed> std::vector<ContentFile*> filesOf(std::span<const Keyed> keyed)
{
    std::vector<ContentFile*> files;
    files.reserve(keyed.size());
    for (const Keyed& k : keyed)
        files.push_back(k.file);
    return files;
}

} // namespace

ContentComparer::ContentComparer(int folder, const NameList& entries, const ContentOptions& options)
    : m_folder(folder), m_entries(entries), m_options(options), m_hash(XXH3_createState())
{
    if (!m_hash)
        throw std::bad_alloc();
}

ContentComparer::~ContentComparer()
{
    XXH3_freeState(m_hash);
}

qint64 ContentComparer::plannedBytes(std::size_t files, qint64 length) const
{
    return qint64(files) * shareOf(files, length);
}

qint64 ContentComparer::shareOf(std::size_t files, qint64 length) const
{
    if (files < 2 || length == 0)
        return 0;
    if (files <= m_options.openFiles)
        return length;
    // Too many to hold open: both ends are read once more, before the file itself.
    const qint64 head = std::min(length, m_options.blockBytes);
    return length + head + std::min(length - head, m_options.blockBytes);
}

qint64 ContentComparer::chunkFor(std::size_t files) const
{
    return std::clamp(kSideBySideBytes / qint64(files), m_options.blockBytes, m_options.chunkBytes);
}

char* ContentComparer::buffer(qint64 bytes)
{
    if (bytes > m_bufferSize) {
        m_buffer = std::make_unique_for_overwrite<char[]>(std::size_t(bytes));
        m_bufferSize = bytes;
    }
    return m_buffer.get();
}

bool ContentComparer::settle(std::span<ContentFile> files)
{
    Files pending;
    pending.reserve(files.size());
    for (ContentFile& file : files) {
        file.setShare(shareOf(files.size(), file.length()));
        pending.push_back(&file);
    }
    const bool settled = files.size() < 2 || files.front().length() == 0
                             ? settleWithoutComparing(pending)
                         : files.size() > m_options.openFiles ? narrowByEnds(pending)
                                                              : settleSideBySide(pending);
    if (settled)
        reportProgress();
    return settled;
}

// Empty files are equal, and so are the names of one file: each file is only opened, to be
// sure it can be read and really ends where its length says.
bool ContentComparer::settleWithoutComparing(const Files& files)
{
    Files readable;
    for (ContentFile* file : files) {
        if (stopped())
            return false;
        if (file->open(m_folder, m_entries) && file->endsAt(file->length()))
            readable.push_back(file);
        file->close();
        reportProgress();
    }
    endTogether(readable);
    return true;
}

bool ContentComparer::openEach(const Files& files, Files& opened)
{
    for (ContentFile* file : files) {
        if (stopped())
            return false;
        if (file->open(m_folder, m_entries))
            opened.push_back(file);
        else
            retire(*file);
    }
    return true;
}

bool ContentComparer::settleSideBySide(const Files& files)
{
    Files opened;
    if (!openEach(files, opened))
        return false;
    if (opened.size() < 2) {
        for (ContentFile* file : opened)
            endAlone(*file);
        return true;
    }
    const qint64 length = opened.front()->length();
    const qint64 block = m_options.blockBytes;
    const qint64 headEnd = length <= chunkFor(opened.size()) ? length : std::min(length, block);
    const qint64 tailStart = std::max(headEnd, length - block);

    struct Step {
        Files files;
        Stage stage;
        qint64 from;
    };
    std::vector<Step> steps;
    steps.push_back({std::move(opened), Stage::Head, 0});
    std::vector<std::string_view> chunks;
    while (!steps.empty()) {
        Step step = std::move(steps.back());
        steps.pop_back();
        qint64 from = 0;
        qint64 end = headEnd;
        bool done = headEnd == length;
        Stage next = Stage::Tail;
        qint64 nextFrom = 0;
        if (step.stage == Stage::Tail) {
            from = tailStart;
            end = length;
            done = headEnd == tailStart;
            next = Stage::Middle;
            nextFrom = headEnd;
        } else if (step.stage == Stage::Middle) {
            from = skipHoles(step.files, step.from, tailStart);
            end = std::min(from + chunkFor(step.files.size()), tailStart);
            done = end == tailStart;
            next = Stage::Middle;
            nextFrom = end;
        }
        std::vector<Files> classes{step.files};
        if (from < end) {
            if (!readAll(step.files, from, end, chunks))
                return false;
            classes = splitByBytes(step.files, chunks);
        }
        for (Files& sameBytes : classes) {
            if (sameBytes.size() == 1)
                endAlone(*sameBytes.front());
            else if (done)
                endTogether(sameBytes);
            else
                steps.push_back({std::move(sameBytes), next, nextFrom});
        }
    }
    return true;
}

qint64 ContentComparer::skipHoles(const Files& files, qint64 from, qint64 limit)
{
    qint64 data = limit;
    for (ContentFile* file : files) {
        data = std::min(data, file->dataFrom(from));
        if (data == from)
            return from;
    }
    // Every file holds only zeros up to there.
    for (ContentFile* file : files)
        advance(*file, data - from);
    return data;
}

bool ContentComparer::readAll(Files& files, qint64 from, qint64 end,
                              std::vector<std::string_view>& chunks)
{
    const qint64 size = end - from;
    char* slots = buffer(size * qint64(files.size()));
    chunks.clear();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (stopped())
            return false;
        ContentFile& file = *files[i];
        char* slot = slots + qint64(kept) * size;
        if (file.read(from, slot, size)) {
            advance(file, size);
            files[kept++] = &file;
            chunks.emplace_back(slot, std::size_t(size));
        } else {
            retire(file);
        }
        reportProgress();
    }
    files.resize(kept);
    return true;
}

std::vector<ContentComparer::Files>
ContentComparer::splitByBytes(const Files& files, std::span<const std::string_view> chunks) const
{
    const ByteClasses classes = classesOfEqualBytes(chunks);
    std::vector<Files> split(classes.count);
    for (std::size_t i = 0; i < files.size(); ++i)
        split[classes.classOf[i]].push_back(files[i]);
    return split;
}

// More files than may be held open: a hash of both ends of each file, read one file after the
// other, splits the group; what is still too large is compared in batches.
bool ContentComparer::narrowByEnds(const Files& files)
{
    const qint64 length = files.front()->length();
    const qint64 head = std::min(length, m_options.blockBytes);
    const qint64 tailFrom = std::max(head, length - m_options.blockBytes);
    char* ends = buffer(head + length - tailFrom);
    struct Ends {
        XXH64_hash_t head;
        XXH64_hash_t tail;
        ContentFile* file;
    };
    std::vector<Ends> keyed;
    keyed.reserve(files.size());
    for (ContentFile* file : files) {
        if (stopped())
            return false;
        const bool read = file->open(m_folder, m_entries) && file->read(0, ends, head) &&
                          file->read(tailFrom, ends + head, length - tailFrom);
        file->close();
        if (read) {
            advance(*file, head + length - tailFrom);
            keyed.push_back({XXH3_64bits(ends, std::size_t(head)),
                             XXH3_64bits(ends + head, std::size_t(length - tailFrom)), file});
        } else {
            retire(*file);
        }
        reportProgress();
    }
    bool settled = true;
    const auto endsOf = [](const Ends& e) { return std::pair(e.head, e.tail); };
    forEachSortedRun(std::span(keyed), endsOf, [&](std::span<const Ends> sameEnds) {
        if (!settled)
            return;
        const Files run = filesOf(sameEnds);
        if (run.size() == 1)
            endAlone(*run.front());
        else
            settled =
                run.size() <= m_options.openFiles ? settleSideBySide(run) : settleInBatches(run);
    });
    return settled;
}

// The file listed first is read side by side with one batch of the others after the other:
// those equal to it to the last byte join it, the rest are settled among themselves. Should it
// fail, or change before all batches are done, the others start again without it.
bool ContentComparer::settleInBatches(const Files& files)
{
    Files others = files;
    const auto first = std::min_element(others.begin(), others.end(), [](auto* a, auto* b) {
        return a->names().front().entry < b->names().front().entry;
    });
    ContentFile& reference = **first;
    others.erase(first);
    Files same{&reference};
    Files differ;
    const std::size_t batch = m_options.openFiles - 1;
    for (std::size_t at = 0; at < others.size() && reference.fate() == ContentFile::Fate::Pending;
         at += batch) {
        const auto from = others.begin() + qsizetype(at);
        const auto to = others.begin() + qsizetype(std::min(at + batch, others.size()));
        if (!compareWith(reference, Files(from, to), same, differ))
            return false;
    }
    if (reference.fate() != ContentFile::Fate::Pending ||
        !reference.unchanged(m_folder, m_entries)) {
        retire(reference);
        Files rest;
        for (ContentFile* file : files)
            if (file->fate() == ContentFile::Fate::Pending)
                rest.push_back(file);
        return settleAmong(rest);
    }
    if (same.size() == 1)
        endAlone(reference);
    else
        endTogether(same);
    return settleAmong(differ);
}

bool ContentComparer::compareWith(ContentFile& reference, const Files& others, Files& same,
                                  Files& differ)
{
    if (!reference.open(m_folder, m_entries))
        return true;
    Files opened{&reference};
    if (!openEach(others, opened))
        return false;
    const qint64 length = reference.length();
    std::vector<std::string_view> chunks;
    for (qint64 from = 0; opened.size() > 1;) {
        from = skipHoles(opened, from, length);
        if (from == length)
            break;
        const qint64 end = std::min(from + chunkFor(opened.size()), length);
        if (!readAll(opened, from, end, chunks))
            return false;
        if (opened.empty() || opened.front() != &reference) {
            for (ContentFile* file : opened)
                file->close();
            return true;
        }
        std::size_t kept = 1;
        for (std::size_t i = 1; i < opened.size(); ++i) {
            if (chunks[i] == chunks.front()) {
                opened[kept++] = opened[i];
            } else {
                opened[i]->close();
                differ.push_back(opened[i]);
            }
        }
        opened.resize(kept);
        from = end;
    }
    for (ContentFile* file : opened)
        file->close();
    same.insert(same.end(), opened.begin() + 1, opened.end());
    return true;
}

// Files of one length that no comparison has told apart yet.
bool ContentComparer::settleAmong(const Files& files)
{
    if (files.size() < 2) {
        for (ContentFile* file : files)
            endAlone(*file);
        return true;
    }
    return files.size() <= m_options.openFiles ? settleSideBySide(files) : settleByWholeHash(files);
}

// Splits the files by hashes of their whole bytes, read one file after the other, so that
// files that are no copies of each other are never compared in batches; each part is then
// compared byte by byte.
bool ContentComparer::settleByWholeHash(const Files& files)
{
    const qint64 length = files.front()->length();
    const qint64 chunk = m_options.chunkBytes;
    char* data = buffer(chunk);
    struct Whole {
        XXH128_hash_t hash;
        ContentFile* file;
    };
    std::vector<Whole> hashed;
    hashed.reserve(files.size());
    for (ContentFile* file : files) {
        if (stopped())
            return false;
        bool read = file->open(m_folder, m_entries);
        XXH3_128bits_reset(m_hash);
        for (qint64 at = 0; read && at < length; at += chunk) {
            if (stopped())
                return false;
            const qint64 size = std::min(chunk, length - at);
            read = file->read(at, data, size);
            if (read) {
                XXH3_128bits_update(m_hash, data, std::size_t(size));
                advance(*file, size);
            }
            reportProgress();
        }
        file->close();
        if (read)
            hashed.push_back({XXH3_128bits_digest(m_hash), file});
        else
            retire(*file);
    }
    bool settled = true;
    const auto whole = [](const Whole& w) { return std::pair(w.hash.high64, w.hash.low64); };
    forEachSortedRun(std::span(hashed), whole, [&](std::span<const Whole> sameHash) {
        if (!settled)
            return;
        const Files run = filesOf(sameHash);
        if (run.size() == 1)
            endAlone(*run.front());
        else
            settled =
                run.size() <= m_options.openFiles ? settleSideBySide(run) : settleInBatches(run);
    });
    return settled;
}

// A file equal to no other is still reported when several names lead to it.
void ContentComparer::endAlone(ContentFile& file)
{
    retire(file);
    if (file.names().size() < 2)
        file.setUnique();
    else if (file.unchanged(m_folder, m_entries))
        file.setEqual(m_classes++);
}

void ContentComparer::endTogether(const Files& files)
{
    Files kept;
    std::size_t names = 0;
    for (ContentFile* file : files) {
        retire(*file);
        if (file->unchanged(m_folder, m_entries)) {
            kept.push_back(file);
            names += file->names().size();
        }
    }
    if (names < 2) {
        for (ContentFile* file : kept)
            file->setUnique();
        return;
    }
    const std::uint32_t id = m_classes++;
    for (ContentFile* file : kept)
        file->setEqual(id);
}

void ContentComparer::retire(ContentFile& file)
{
    m_done += file.takeShare(std::numeric_limits<qint64>::max());
    file.close();
}

void ContentComparer::advance(ContentFile& file, qint64 bytes)
{
    m_done += file.takeShare(bytes);
}

void ContentComparer::reportProgress() const
{
    if (m_options.progress)
        m_options.progress(m_done, m_total);
}

} // namespace vornak
