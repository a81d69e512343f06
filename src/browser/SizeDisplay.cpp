#include "SizeDisplay.h"

#include <QCoreApplication>

#include <cmath>

namespace vornak {

namespace {

// value / 10.24 is the count in hundredths of a KB (of a MB after a further / 1024).
double hundredthsRoundedHalfUp(double value)
{
    return std::floor(value / 10.24 + 0.5) / 100.0;
}

// At most two decimals, no trailing zeros, no point when whole.
QString plainDecimal(double value)
{
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

} // namespace

QString sizeDisplayText(qint64 length)
{
    const QString bytes =
        QString::number(length) + QCoreApplication::translate("SizeDisplay", "B，约");
    const double bytesAsDouble = static_cast<double>(length);
    const double megabytes = hundredthsRoundedHalfUp(bytesAsDouble / 1024.0);
    if (megabytes >= 1.0)
        return bytes + plainDecimal(megabytes) + QStringLiteral("MB");
    const double kilobytes = hundredthsRoundedHalfUp(bytesAsDouble);
    if (kilobytes >= 1.0)
        return bytes + plainDecimal(kilobytes) + QStringLiteral("KB");
    // Below one KB the leading zero is written apart from the fraction: "0.5", "0.01", "0".
    const QString fraction = kilobytes == 0.0 ? QString() : plainDecimal(kilobytes).mid(1);
    return bytes + u'0' + fraction + QStringLiteral("KB");
}

} // namespace vornak
