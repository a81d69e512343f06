#include "core/names/FileUrl.h"

namespace vornak {

QByteArray fileUrlOf(const QByteArray& path)
{
    return "file://" + path.toPercentEncoding("/");
}

} // namespace vornak
