#include "OutcomeNameFit.h"

#include "core/names/NativePath.h"

#include <QFontMetrics>

#include <algorithm>

namespace vornak {

OutcomeNameFit::OutcomeNameFit(const QFont& font, int room) : m_font(font), m_room(room) {}

QString OutcomeNameFit::line(const QByteArray& from, const QByteArray& to,
                             const Compose& compose) const
{
    const QString fromText = displayText(from);
    const QString toText = displayText(to);
    if (!m_font)
        return compose(fromText, toText);
    const QFontMetrics metrics(*m_font);
    const int names = std::max(m_room - metrics.horizontalAdvance(compose({}, {})), 0);
    const int fromWidth = metrics.horizontalAdvance(fromText);
    const int toWidth = metrics.horizontalAdvance(toText);
    if (fromWidth + toWidth <= names)
        return compose(fromText, toText);
    // Each name has half the room, and what the other leaves of its half.
    const int fromRoom = std::max(names / 2, names - toWidth);
    return compose(
        metrics.elidedText(fromText, Qt::ElideMiddle, fromRoom),
        metrics.elidedText(toText, Qt::ElideMiddle, names - std::min(fromWidth, fromRoom)));
}

} // namespace vornak
