#include "core/fs/RenameResult.h"

#include <cstdint>

namespace vornak {

QByteArray caseStepName(QByteArrayView oldName)
{
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char byte : oldName) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 0x100000001b3ULL;
    }
    return QByteArrayLiteral("vornak-step-") +
           QByteArray::number(static_cast<qulonglong>(hash), 16).rightJustified(16, '0');
}

} // namespace vornak
