#include "Skin.h"

#include <QApplication>
#include <QFile>

namespace vornak::Skin {

void attach()
{
    QFile style(QStringLiteral(":/vornak/skin.qss"));
    if (!style.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    qApp->setStyleSheet(QString::fromUtf8(style.readAll()));
}

} // namespace vornak::Skin
