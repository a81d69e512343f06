#pragma once

#include <QLatin1String>
#include <QObject>

namespace vornak {

// Gives a control made in place its name, by which tests and the end-to-end run find it.
template <typename Object> Object* named(Object* object, const char* name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

} // namespace vornak
