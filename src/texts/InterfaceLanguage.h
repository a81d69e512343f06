#pragma once

#include <QByteArrayView>

namespace vornak {

// The languages the program speaks: its own texts are Chinese, and English is their translation.
enum class InterfaceLanguage { Chinese, English };

// The desktop's language as the C library's variables give it, in the order they take
// precedence: the first that names a language decides (of LANGUAGE, a colon-separated list,
// its first entry). Chinese for Chinese and also where none names a language ("C", "POSIX",
// unset), so that the program reads as it was written; English for every other language.
InterfaceLanguage languageNamedBy(QByteArrayView language, QByteArrayView lcAll,
                                  QByteArrayView lcMessages, QByteArrayView lang);
// The same, from this process's environment.
InterfaceLanguage desktopLanguage();

// Installs the translations of the language into the application, which must exist: ours for
// English, Qt's own Chinese texts (buttons of message boxes, context menus) for Chinese.
void installTranslations(InterfaceLanguage language);

} // namespace vornak
