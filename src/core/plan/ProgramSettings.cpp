#include "core/plan/ProgramSettings.h"

namespace vornak {

ProgramSettings::ProgramSettings()
    : QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vornak"),
                QStringLiteral("vornak"))
{}

} // namespace vornak
