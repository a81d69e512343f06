#pragma once

#include "texts/TranslatedText.h"

#include <QString>

#include <cstddef>

namespace vornak {

// What a rename run and its undo tell the user, the same in the window and on the command line.
namespace runText {

inline constexpr TranslatedText kJournalUnwritable{
    "RunTexts", QT_TRANSLATE_NOOP("RunTexts", "无法写入撤销记录，没有重命名任何文件。")};
inline constexpr TranslatedText kRunFolderUnavailable{
    "RunTexts", QT_TRANSLATE_NOOP("RunTexts", "无法打开文件夹，没有重命名任何文件。")};
inline constexpr TranslatedText kUndoFolderUnavailable{
    "RunTexts", QT_TRANSLATE_NOOP("RunTexts", "无法打开文件夹，没有撤销任何文件。")};
inline constexpr TranslatedText kNoSuchRun{
    "RunTexts", QT_TRANSLATE_NOOP("RunTexts", "这次重命名已经撤销，或已不在记录中。")};
inline constexpr TranslatedText kRunInProgress{
    "RunTexts", QT_TRANSLATE_NOOP("RunTexts", "另一个 Vornak 正在处理这次重命名，请稍后再试。")};
inline constexpr TranslatedText kNothingToUndo{
    "RunTexts", QT_TRANSLATE_NOOP("RunTexts", "没有可以撤销的重命名。")};
inline constexpr TranslatedText kJournalUnreadable{
    "RunTexts",
    QT_TRANSLATE_NOOP("RunTexts", "这次重命名的撤销记录已损坏，无法撤销；没有改动任何文件。")};

// The first line of a run's outcome.
QString runSummary(std::size_t renamed, std::size_t kept);
// The first line of an undo's outcome.
QString undoSummary(std::size_t restored, std::size_t failed);

} // namespace runText

} // namespace vornak
