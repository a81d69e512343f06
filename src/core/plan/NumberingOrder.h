#pragma once

#include "core/names/NamePattern.h"

#include <QtGlobal>

#include <optional>
#include <span>
#include <vector>

namespace vornak {

// The order in which a batch's entries get their numbers (排序): the list's own, by
// modification time, or by the date a photo was taken.
enum class NumberingOrder { List, Modified, Taken };

// What is read of each entry before a batch is planned, beyond its name: the modification time
// always, the photo date and the audio tags when asked for.
struct FieldsToRead {
    bool taken = false;
    bool tags = false;

    bool covers(FieldsToRead other) const
    {
        return (taken || !other.taken) && (tags || !other.tags);
    }
    friend bool operator==(FieldsToRead, FieldsToRead) = default;
};

// The dates of one entry, in milliseconds since the epoch, and its audio tags; nothing where
// unknown or not read.
struct FileDates {
    std::optional<qint64> modified;
    std::optional<qint64> taken;
    std::optional<AudioTags> tags;
};

struct Numbering {
    std::vector<qsizetype> positions;  // per entry: its place in the order, counting from 1
    std::vector<bool> modifiedInstead; // per entry: ordered by Taken, it had no photo date and
                                       // was placed by its modification time
};

// The positions of count entries in the order, stably: equal dates keep the list's order, and
// entries without any date come last. dates holds one element per entry (an entry beyond its
// end has no dates); the list's order reads none.
Numbering numberingOrder(NumberingOrder order, std::size_t count, std::span<const FileDates> dates);

// Numbers the entries again, from 1: in order (the entries in the order they are numbered) where
// it is given, which no date places then, else in the order they have; an unticked entry takes
// no number (0) and the next one takes its. unticked holds one element per entry, or none.
void numberAgain(Numbering& numbering, std::span<const std::uint32_t> order,
                 std::span<const char> unticked);

} // namespace vornak
