#include "cli/Output.h"

#include "cli/CommandLineText.h"
#include "core/names/NativePath.h"
#include "texts/SystemReason.h"

#include <cstdio>

namespace vornak {

namespace {

void writeLine(std::FILE* out, const QString& text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), out);
}

} // namespace

void printLine(const QString& text)
{
    writeLine(stdout, text);
}

void printError(const QString& text)
{
    writeLine(stderr, text);
}

void printSystemError(const QString& what, const QByteArray& path, int error)
{
    printError(
        CommandLineText::tr("%1 %2：%3").arg(what, displayText(path), systemReasonText(error)));
}

} // namespace vornak
