#pragma once

#include <QString>
#include <QStringView>

#include <initializer_list>
#include <optional>
#include <utility>

namespace vornak {

// The value a command line word names in a table of words and values; nothing for a word the
// table does not hold.
template <typename Value>
std::optional<Value> valueOfWord(const QString& word,
                                 std::initializer_list<std::pair<QStringView, Value>> table)
{
    for (const auto& [name, value] : table) {
        if (word == name)
            return value;
    }
    return std::nullopt;
}

} // namespace vornak
