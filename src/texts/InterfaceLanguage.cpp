#include "texts/InterfaceLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vornak {

namespace {

// "C", "C.UTF-8" and "POSIX" name the plain C locale, not a language.
bool namesLanguage(QByteArrayView value)
{
    return !value.isEmpty() && value != "C" && !value.startsWith("C.") && value != "POSIX";
}

void install(const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(name, folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

InterfaceLanguage languageNamedBy(QByteArrayView language, QByteArrayView lcAll,
                                  QByteArrayView lcMessages, QByteArrayView lang)
{
    const qsizetype colon = language.indexOf(':');
    const QByteArrayView firstLanguage = colon < 0 ? language : language.first(colon);
    for (const QByteArrayView value : {firstLanguage, lcAll, lcMessages, lang}) {
        if (namesLanguage(value))
            return value.startsWith("zh") ? InterfaceLanguage::Chinese : InterfaceLanguage::English;
    }
    return InterfaceLanguage::Chinese;
}

InterfaceLanguage desktopLanguage()
{
    return languageNamedBy(qgetenv("LANGUAGE"), qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"),
                           qgetenv("LANG"));
}

void installTranslations(InterfaceLanguage language)
{
    if (language == InterfaceLanguage::English)
        install(QStringLiteral("vornak_en"), QStringLiteral(":/i18n"));
    else
        install(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace vornak
