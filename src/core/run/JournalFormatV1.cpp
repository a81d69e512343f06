#include "core/run/JournalFormatV1.h"

#include "core/plan/RenamePlan.h"
#include "core/run/JournalEncoding.h"

namespace vornak::journal::v1 {

namespace {

constexpr QByteArrayView kFolder = "folder ";
constexpr QByteArrayView kSteps = "steps ";
constexpr QByteArrayView kEnd = "end\n";
constexpr QByteArrayView kEndComplete = "end\ncomplete\n";
constexpr QByteArrayView kStartedTail = "\nend\n";
constexpr QByteArrayView kCompleteTail = "\nend\ncomplete\n";
constexpr QByteArrayView kNoIdentity = "-";
constexpr std::size_t kMostFields = 6;

// Reads the text line by line; each line is handed out without its line break.
class Lines {
public:
    explicit Lines(QByteArrayView text) : m_text(text) {}

    std::optional<QByteArrayView> next()
    {
        const qsizetype end = m_text.indexOf('\n', m_at);
        if (end < 0)
            return std::nullopt;
        const QByteArrayView line = m_text.sliced(m_at, end - m_at);
        m_at = end + 1;
        return line;
    }
    QByteArrayView rest() const { return m_text.sliced(m_at); }

private:
    QByteArrayView m_text;
    qsizetype m_at = 0;
};

std::optional<JournalHeader> readHeader(Lines& lines)
{
    const auto magic = lines.next();
    const auto folderLine = lines.next();
    const auto stepsLine = lines.next();
    if (!stepsLine || *magic != kMagic.chopped(1) || !folderLine->startsWith(kFolder) ||
        !stepsLine->startsWith(kSteps))
        return std::nullopt;
    auto folder = decoded(folderLine->sliced(kFolder.size()));
    const auto steps = number<std::size_t>(stepsLine->sliced(kSteps.size()));
    if (!folder || folder->isEmpty() || !steps)
        return std::nullopt;
    return JournalHeader{1, std::move(*folder), *steps};
}

std::optional<JournalStep> readStep(QByteArrayView line)
{
    const auto fields = Fields<kMostFields>::of(line);
    if (!fields || (fields->count != 3u && fields->count != kMostFields))
        return std::nullopt;
    auto oldName = decoded(fields->at[0]);
    auto newName = decoded(fields->at[1]);
    if (!oldName || !newName || !isEntryName(*oldName) || !isEntryName(*newName))
        return std::nullopt;
    JournalStep step{std::move(*oldName), std::move(*newName), std::nullopt, StepKind::Rename, {}};
    if (fields->count == 3u)
        return fields->at[2] == kNoIdentity ? std::optional(std::move(step)) : std::nullopt;
    const auto device = number<quint64>(fields->at[2]);
    const auto inode = number<quint64>(fields->at[3]);
    const auto size = number<qint64>(fields->at[4]);
    const auto modified = number<qint64>(fields->at[5]);
    if (!device || !inode || !size || !modified)
        return std::nullopt;
    step.identity =
        FileIdentity{*device, *inode, *size, *modified, IdentityKind::Inode, std::nullopt};
    return step;
}

} // namespace

std::optional<JournalHeader> parseHeader(QByteArrayView head)
{
    Lines lines(head);
    return readHeader(lines);
}

JournalState stateOf(QByteArrayView tail)
{
    if (tail.endsWith(kCompleteTail))
        return JournalState::Complete;
    if (tail.endsWith(kStartedTail))
        return JournalState::Started;
    return JournalState::Unfinished;
}

std::optional<JournalContent> parseJournal(QByteArrayView text)
{
    Lines lines(text);
    auto header = readHeader(lines);
    if (!header || stateOf(text) == JournalState::Unfinished)
        return std::nullopt;
    JournalContent content{std::move(header->folder), {}};
    content.steps.reserve(header->steps);
    for (std::size_t i = 0; i < header->steps; ++i) {
        const auto line = lines.next();
        auto step = line ? readStep(*line) : std::nullopt;
        if (!step)
            return std::nullopt;
        content.steps.push_back(std::move(*step));
    }
    const QByteArrayView rest = lines.rest();
    if (rest != kEnd && rest != kEndComplete)
        return std::nullopt;
    return content;
}

} // namespace vornak::journal::v1
