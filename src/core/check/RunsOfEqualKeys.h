#pragma once

#include <algorithm>
#include <functional>
#include <span>

namespace vornak {

// Sorts items by their key (a function or a member of T), keeping items of equal keys in the order
// they had.
template <typename T, typename Key> void sortByKey(std::span<T> items, Key key)
{
    std::stable_sort(items.begin(), items.end(), [&key](const T& a, const T& b) {
        return std::invoke(key, a) < std::invoke(key, b);
    });
}

// Calls visit(run) for each run of neighbouring items of equal key, in order.
template <typename T, typename Key, typename Visit>
void forEachRun(std::span<T> items, Key key, Visit visit)
{
    for (std::size_t begin = 0; begin < items.size();) {
        std::size_t end = begin + 1;
        while (end < items.size() && std::invoke(key, items[end]) == std::invoke(key, items[begin]))
            ++end;
        visit(items.subspan(begin, end - begin));
        begin = end;
    }
}

// Sorts items by key, then calls visit(run) for each run of equal keys, in the order of the
// keys; within a run, items keep the order they had.
template <typename T, typename Key, typename Visit>
void forEachSortedRun(std::span<T> items, Key key, Visit visit)
{
    sortByKey(items, key);
    forEachRun(items, key, visit);
}

} // namespace vornak
