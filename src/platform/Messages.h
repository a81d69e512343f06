#pragma once

#include "Platform.h"
#include "texts/LineBreak.h"
#include "texts/TranslatedText.h"

namespace vornak {

inline const QString kProgramTitle = QStringLiteral("Vornak");
// The title of every error message.
inline constexpr TranslatedText kErrorTitle{"Messages", QT_TRANSLATE_NOOP("Messages", "出错提示!")};

// The text as a widget shows it: Qt breaks lines at line feeds only, while the text itself
// (what the clipboard gets) keeps its carriage returns.
QString withLineFeeds(QString text);

// The message that a file of the list could not be found or handled; folderPath ends with a
// separator.
void showMissingFileMessage(Platform& platform, const QByteArray& folderPath,
                            const QByteArray& entryName);

// The message that what failed at where, with the system's reason for error in the user's words.
void showFailure(Platform& platform, const QString& what, const QByteArray& where, int error);

// Asks a Yes/No question under the program's title; true for Yes.
[[nodiscard]] bool confirm(Platform& platform, const QString& question);

} // namespace vornak
