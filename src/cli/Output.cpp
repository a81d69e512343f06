#include "cli/Output.h"

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

} // namespace vornak
