#pragma once

#include <QByteArray>
#include <QString>

namespace vornak {

// One listed file: the exact bytes of its name, and the text the user sees.
struct FileEntry {
    QByteArray name;
    QString displayName;
};

} // namespace vornak
