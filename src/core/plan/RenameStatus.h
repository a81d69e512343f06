#pragma once

#include <cstdint>

namespace vornak {

// What a rename run does with one entry of its batch, as the batch preview shows it. The first
// three and 循环（经临时名称） are renames the run does; the others leave the file as it is.
enum class RenameStatus : std::uint8_t {
    Change,    // 将更改
    Hides,     // 将隐藏: the new name begins with "." and the file leaves the list
    CaseOnly,  // 仅大小写: the new name differs in letter case only
    Unchanged, // 不变: the rules give the name the file has
    NameTaken, // 名称已被占用: a file outside the batch, or one keeping it, has the name
    DuplicateInBatch, // 与本批重名: another file of the batch would get the same name
    CycleOrBlocked,   // 循环或受阻: waiting, through any chain, on a file that keeps its name
    NameTooLong,      // 名称太长: longer than the folder's file system allows
    NameNotAllowed,   // 名称不允许: "", ".", "..", or holding "/" or a control character
    // 表达式太复杂: the find expression went over its budget on this name; no batch with such
    // a row runs
    ExpressionTooComplex,
    // 循环（经临时名称）: in a cycle of renames, which the run opens by moving one of its files
    // to a temporary name first
    CycleThroughTemporary,
    // 缺少字段: the file lacks a field of the pattern (a date, a tag) and keeps its name; the
    // other rows run
    MissingField,
    // 未选: left out of the batch in the table; it keeps its name, which stays taken
    Unticked,
};

// True for the statuses whose files the run renames.
constexpr bool isRenamed(RenameStatus status)
{
    return status == RenameStatus::Change || status == RenameStatus::Hides ||
           status == RenameStatus::CaseOnly || status == RenameStatus::CycleThroughTemporary;
}

// True for the statuses that stop a rename the rules ask for; the preview marks these. A file the
// user left out is no problem: nothing was asked of it.
constexpr bool isProblem(RenameStatus status)
{
    return !isRenamed(status) && status != RenameStatus::Unchanged &&
           status != RenameStatus::Unticked;
}

} // namespace vornak
