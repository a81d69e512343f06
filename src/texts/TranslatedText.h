#pragma once

#include <QCoreApplication>
#include <QString>

namespace vornak {

// A text of the program's constants, translated each time it is used, so that the translator
// installed at start applies to constants made before it. Written with QT_TRANSLATE_NOOP, so
// that lupdate finds it:
//     inline constexpr TranslatedText kTitle{"Context", QT_TRANSLATE_NOOP("Context", "标题")};
struct TranslatedText {
    const char* context;
    const char* source;

    QString toString() const { return QCoreApplication::translate(context, source); }
    // Where a QString is wanted, the text in the user's language.
    operator QString() const { return toString(); }
};

} // namespace vornak
