#pragma once

#include "core/check/ContentFindings.h"
#include "core/check/CopiesToMove.h"
#include "core/names/NameList.h"
#include "core/run/TrashRun.h"
#include "texts/TranslatedText.h"

#include <QStringList>

namespace vornak {

inline constexpr TranslatedText kNoCopiesToMove{
    "CopiesMoveText", QT_TRANSLATE_NOOP("CopiesMoveText", "没有可移到回收站的副本。")};
inline constexpr TranslatedText kNoTrashOnVolume{
    "CopiesMoveText",
    QT_TRANSLATE_NOOP("CopiesMoveText",
                      "这个文件夹所在的卷没有可用的回收站，副本不能移到回收站。")};

// What moving the copies to the trash will do: a summary with the bytes that emptying the trash
// frees, then per group the file kept and each name moved with what it frees. Links are marked.
QStringList copiesMoveLines(const NameList& entries, const ContentFindings& findings,
                            const std::vector<CopiesMove>& moves);

// The first line of a run's outcome, then each name that stayed, with why.
QStringList trashRunLines(const std::vector<TrashCandidate>& names, const TrashRunRecord& record);

} // namespace vornak
