#pragma once

#include <QByteArrayView>
#include <QString>

namespace vornak {

// The text a table shows for a name: the name itself when it is valid UTF-8; otherwise a
// marker that says so, then the name with each byte that is not part of valid UTF-8 written as
// \xHH, so that two such names never look alike.
QString displayedName(QByteArrayView name);

} // namespace vornak
