#include "core/run/JournalFormat.h"

#include "core/plan/RenamePlan.h"
#include "core/run/JournalEncoding.h"
#include "core/run/JournalFormatV1.h"

#include <QList>

#include <xxhash.h>

#include <algorithm>
#include <array>

namespace vornak::journal {

namespace {

constexpr QByteArrayView kMagic = "vornak-rename-journal 2\n";
constexpr int kLengthDigits = 8;
constexpr int kChecksumDigits = 16;
constexpr qsizetype kPrefix = kLengthDigits + 1 + kChecksumDigits + 1;
constexpr QByteArrayView kRun = "run";
constexpr QByteArrayView kStep = "step";
constexpr QByteArrayView kEnd = "end";
constexpr QByteArrayView kComplete = "complete";
constexpr QByteArrayView kRestoredNone = "restored-none";
constexpr QByteArrayView kToTrash = "to-trash";
constexpr QByteArrayView kNone = "-";
constexpr QByteArrayView kTopFolder = ".";
constexpr QByteArrayView kInode = "inode";
constexpr QByteArrayView kContent = "content";
constexpr std::array<QByteArrayView, 4> kStepKinds = {"rename", "temporary", "trash",
                                                      "placeholder"};
constexpr std::size_t kMostFields = 10;

quint64 checksum(const char* bytes, qsizetype length)
{
    return XXH3_64bits(bytes, std::size_t(length));
}

// One record: its payload is written first, its length and checksum then put before it.
class Record {
public:
    Record(QByteArray& text, qsizetype mostPayload)
        : m_cursor(text, kPrefix + mostPayload + 1), m_start(m_cursor.at())
    {
        m_cursor.moveTo(m_start + kPrefix);
    }
    ~Record()
    {
        char* const payload = m_start + kPrefix;
        const qsizetype length = m_cursor.at() - payload;
        char* const end = m_cursor.at();
        m_cursor.moveTo(m_start);
        m_cursor.putHex(quint64(length), kLengthDigits);
        m_cursor.put(' ');
        m_cursor.putHex(checksum(payload, length), kChecksumDigits);
        m_cursor.moveTo(end);
        m_cursor.put('\n');
        m_start[kPrefix - 1] = ' ';
    }
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;

    Cursor& operator*() { return m_cursor; }
    Cursor* operator->() { return &m_cursor; }

private:
    Cursor m_cursor;
    char* m_start;
};

QByteArray recordOf(QByteArrayView payload)
{
    QByteArray text;
    Record(text, payload.size())->put(payload);
    return text;
}

// Reads the records one after another; nothing for one cut short or changed.
class Records {
public:
    explicit Records(QByteArrayView text) : m_text(text) {}

    std::optional<QByteArrayView> next()
    {
        const QByteArrayView rest = m_text.sliced(m_at);
        if (rest.size() < kPrefix || rest[kLengthDigits] != ' ' || rest[kPrefix - 1] != ' ')
            return std::nullopt;
        const auto length = number<qsizetype>(rest.first(kLengthDigits), 16);
        const auto sum = number<quint64>(rest.sliced(kLengthDigits + 1, kChecksumDigits), 16);
        if (!length || !sum || *length > rest.size() - kPrefix - 1 ||
            rest[kPrefix + *length] != '\n')
            return std::nullopt;
        const QByteArrayView payload = rest.sliced(kPrefix, *length);
        if (checksum(payload.data(), payload.size()) != *sum)
            return std::nullopt;
        m_at += kPrefix + *length + 1;
        return payload;
    }
    bool atEnd() const { return m_at == m_text.size(); }

private:
    QByteArrayView m_text;
    qsizetype m_at = 0;
};

std::optional<JournalHeader> readHeader(Records& records)
{
    const auto payload = records.next();
    const auto fields = payload ? Fields<5>::of(*payload) : std::nullopt;
    if (!fields || fields->count < 3u || fields->at[0] != kRun)
        return std::nullopt;
    auto folder = decoded(fields->at[1]);
    const auto steps = number<std::size_t>(fields->at[2]);
    // Journals without extra steps leave their count out, as those before it was written;
    // renaming runs leave their kind out, as all runs before the trash was journaled.
    const auto extraSteps =
        fields->count >= 4u ? number<std::size_t>(fields->at[3]) : std::optional<std::size_t>(0);
    if (!folder || folder->isEmpty() || !steps || !extraSteps || *extraSteps > *steps)
        return std::nullopt;
    if (fields->count == 5u && fields->at[4] != kToTrash)
        return std::nullopt;
    return JournalHeader{kVersion, std::move(*folder), *steps, *extraSteps,
                         fields->count == 5u ? RunKind::ToTrash : RunKind::Rename};
}

// The complete mark's payload: "complete", then the files moved (left out by journals written
// before they were counted and by runs marked complete after they were cut short), then
// whether the last undo restored none.
std::optional<RunTally> tallyIn(QByteArrayView payload)
{
    const auto fields = Fields<3>::of(payload);
    if (!fields || fields->at[0] != kComplete)
        return std::nullopt;
    RunTally tally;
    if (fields->count >= 2u) {
        tally.files = number<std::size_t>(fields->at[1]);
        if (!tally.files)
            return std::nullopt;
    }
    tally.lastUndoRestoredNone = fields->count == 3u;
    if (tally.lastUndoRestoredNone && fields->at[2] != kRestoredNone)
        return std::nullopt;
    return tally;
}

std::optional<QByteArray> subfolderOf(QByteArrayView field)
{
    if (field == kTopFolder)
        return QByteArray();
    auto folder = decoded(field);
    if (!folder)
        return std::nullopt;
    for (const QByteArray& part : folder->split('/'))
        if (!isEntryName(part))
            return std::nullopt;
    return folder;
}

std::optional<FileIdentity> identityOf(const Fields<kMostFields>& fields, std::size_t from)
{
    const QByteArrayView kind = fields.at[from];
    const std::size_t count = fields.count - from;
    if (kind == kInode && count == 5u) {
        const auto device = number<quint64>(fields.at[from + 1]);
        const auto inode = number<quint64>(fields.at[from + 2]);
        const auto size = number<qint64>(fields.at[from + 3]);
        const auto modified = number<qint64>(fields.at[from + 4]);
        if (device && inode && size && modified)
            return FileIdentity{*device,     *inode, *size, *modified, IdentityKind::Inode,
                                std::nullopt};
    } else if (kind == kContent && count == 4u) {
        const auto size = number<qint64>(fields.at[from + 1]);
        const auto modified = number<qint64>(fields.at[from + 2]);
        const QByteArrayView headField = fields.at[from + 3];
        const auto head = number<quint64>(headField, 16);
        if (size && modified && (head || headField == kNone))
            return FileIdentity{0,
                                0,
                                *size,
                                *modified,
                                IdentityKind::Content,
                                headField == kNone ? std::nullopt : head};
    }
    return std::nullopt;
}

// Where a step to the trash left its file: an entry of the files/ folder of a trash, named by
// its absolute path.
bool isTrashedPath(QByteArrayView path)
{
    if (!path.startsWith('/'))
        return false;
    const QList<QByteArray> parts = path.sliced(1).toByteArray().split('/');
    return parts.size() >= 3 && parts[parts.size() - 2] == "files" &&
           std::all_of(parts.begin(), parts.end(), isEntryName);
}

std::optional<JournalStep> readStep(QByteArrayView payload)
{
    const auto fields = Fields<kMostFields>::of(payload);
    if (!fields || fields->count < 6u || fields->at[0] != kStep)
        return std::nullopt;
    const auto kind = std::find(kStepKinds.begin(), kStepKinds.end(), fields->at[1]);
    auto subfolder = subfolderOf(fields->at[2]);
    auto oldName = decoded(fields->at[3]);
    auto newName = decoded(fields->at[4]);
    if (kind == kStepKinds.end() || !subfolder || !oldName || !newName || !isEntryName(*oldName))
        return std::nullopt;
    const bool toTrash = StepKind(kind - kStepKinds.begin()) == StepKind::ToTrash;
    if (!(toTrash ? isTrashedPath(*newName) : isEntryName(*newName)))
        return std::nullopt;
    JournalStep step{std::move(*oldName), std::move(*newName), std::nullopt,
                     StepKind(kind - kStepKinds.begin()), std::move(*subfolder)};
    if (fields->count == 6u)
        return fields->at[5] == kNone ? std::optional(std::move(step)) : std::nullopt;
    step.identity = identityOf(*fields, 5);
    return step.identity ? std::optional(std::move(step)) : std::nullopt;
}

const QByteArray& endRecord()
{
    static const QByteArray record = recordOf(kEnd);
    return record;
}

// The tally after a journal's end record; nothing when the journal did not end there or the
// mark is damaged, an empty tally when there is no mark yet.
std::optional<std::optional<RunTally>> tallyAfterEnd(QByteArrayView tail)
{
    const qsizetype end = tail.lastIndexOf(endRecord());
    if (end < 0)
        return std::nullopt;
    Records mark(tail.sliced(end + endRecord().size()));
    if (mark.atEnd())
        return std::optional<RunTally>();
    const auto payload = mark.next();
    auto tally = payload ? tallyIn(*payload) : std::nullopt;
    if (!tally || !mark.atEnd())
        return std::nullopt;
    return tally;
}

// ToTrash where every step goes to the trash.
RunKind runKindOf(const std::vector<JournalStep>& steps)
{
    const bool allToTrash =
        !steps.empty() && std::all_of(steps.begin(), steps.end(), [](const JournalStep& step) {
            return step.kind == StepKind::ToTrash;
        });
    return allToTrash ? RunKind::ToTrash : RunKind::Rename;
}

} // namespace

void appendHeader(QByteArray& text, QByteArrayView folder, std::size_t steps,
                  std::size_t extraSteps, RunKind kind)
{
    text.append(kMagic);
    Record record(text, kRun.size() + Cursor::encodedRoom(folder) + 2 * Cursor::kLongestNumber +
                            kToTrash.size() + 4);
    record->put(kRun);
    record->put(' ');
    record->putEncoded(folder);
    record->put(' ');
    record->putNumber(steps);
    if (extraSteps != 0 || kind == RunKind::ToTrash) {
        record->put(' ');
        record->putNumber(extraSteps);
    }
    if (kind == RunKind::ToTrash) {
        record->put(' ');
        record->put(kToTrash);
    }
}

void appendStep(QByteArray& text, StepKind kind, QByteArrayView subfolder, QByteArrayView oldName,
                QByteArrayView newName, const std::optional<FileIdentity>& identity)
{
    Record record(text, 64 + Cursor::encodedRoom(subfolder) + Cursor::encodedRoom(oldName) +
                            Cursor::encodedRoom(newName) + 4 * (Cursor::kLongestNumber + 1));
    record->put(kStep);
    record->put(' ');
    record->put(kStepKinds[std::size_t(kind)]);
    record->put(' ');
    if (subfolder.isEmpty())
        record->put(kTopFolder);
    else
        record->putEncoded(subfolder);
    record->put(' ');
    record->putEncoded(oldName);
    record->put(' ');
    record->putEncoded(newName);
    record->put(' ');
    if (!identity) {
        record->put(kNone);
    } else if (identity->kind == IdentityKind::Inode) {
        record->put(kInode);
        for (const quint64 value : {identity->device, identity->inode}) {
            record->put(' ');
            record->putNumber(value);
        }
        for (const qint64 value : {identity->size, identity->modifiedNs}) {
            record->put(' ');
            record->putNumber(value);
        }
    } else {
        record->put(kContent);
        for (const qint64 value : {identity->size, identity->modifiedNs}) {
            record->put(' ');
            record->putNumber(value);
        }
        record->put(' ');
        if (identity->head)
            record->putNumber(*identity->head, 16);
        else
            record->put(kNone);
    }
}

void appendEnd(QByteArray& text)
{
    text.append(endRecord());
}

QByteArray completeMark(int version, const RunTally& tally)
{
    if (version == 1)
        return v1::kCompleteMark.toByteArray();
    QByteArray text;
    {
        Record record(text, kComplete.size() + Cursor::kLongestNumber + kRestoredNone.size() + 2);
        record->put(kComplete);
        if (tally.files) {
            record->put(' ');
            record->putNumber(*tally.files);
            if (tally.lastUndoRestoredNone) {
                record->put(' ');
                record->put(kRestoredNone);
            }
        }
    }
    return text;
}

QByteArray startedJournal(QByteArrayView folder, const std::vector<JournalStep>& steps)
{
    QByteArray text;
    const auto extraSteps =
        std::size_t(std::count_if(steps.begin(), steps.end(), [](const JournalStep& step) {
            return step.kind == StepKind::PlaceholderMade ||
                   step.kind == StepKind::ThroughTemporary;
        }));
    appendHeader(text, folder, steps.size(), extraSteps, runKindOf(steps));
    for (const JournalStep& step : steps)
        appendStep(text, step.kind, step.subfolder, step.oldName, step.newName, step.identity);
    appendEnd(text);
    return text;
}

QByteArray completeJournal(QByteArrayView folder, const std::vector<JournalStep>& steps,
                           const RunTally& tally)
{
    return startedJournal(folder, steps).append(completeMark(kVersion, tally));
}

int versionOf(QByteArrayView head)
{
    if (head.startsWith(kMagic))
        return kVersion;
    return head.startsWith(v1::kMagic) ? 1 : 0;
}

std::optional<JournalHeader> parseHeader(QByteArrayView head)
{
    switch (versionOf(head)) {
    case 1:
        return v1::parseHeader(head);
    case kVersion: {
        Records records(head.sliced(kMagic.size()));
        return readHeader(records);
    }
    default:
        return std::nullopt;
    }
}

JournalState stateOf(QByteArrayView tail, int version)
{
    if (version == 1)
        return v1::stateOf(tail);
    const auto tally = tallyAfterEnd(tail);
    if (!tally)
        return JournalState::Damaged;
    return *tally ? JournalState::Complete : JournalState::Started;
}

RunTally tallyOf(QByteArrayView tail, int version)
{
    const auto tally = version == kVersion ? tallyAfterEnd(tail) : std::nullopt;
    return tally && *tally ? **tally : RunTally();
}

std::optional<JournalContent> parseJournal(QByteArrayView text)
{
    const int version = versionOf(text);
    if (version == 1)
        return v1::parseJournal(text);
    if (version != kVersion)
        return std::nullopt;
    Records records(text.sliced(kMagic.size()));
    auto header = readHeader(records);
    if (!header)
        return std::nullopt;
    JournalContent content{std::move(header->folder), {}};
    content.steps.reserve(header->steps);
    for (std::size_t i = 0; i < header->steps; ++i) {
        const auto payload = records.next();
        auto step = payload ? readStep(*payload) : std::nullopt;
        if (!step)
            return std::nullopt;
        content.steps.push_back(std::move(*step));
    }
    if (records.next() != kEnd)
        return std::nullopt;
    if (records.atEnd())
        return content;
    const auto mark = records.next();
    if (!mark || !tallyIn(*mark) || !records.atEnd())
        return std::nullopt;
    return content;
}

} // namespace vornak::journal
