#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>

#include <functional>
#include <optional>

namespace vornak {

// How an outcome line shows a file's two names: whole, or, where the line would be wider than
// the room the window has, each shortened in the middle by the font's metrics, so that the
// rest of the line, the reason, still shows.
class OutcomeNameFit {
public:
    // Makes the line from the names as shown, from → to.
    using Compose = std::function<QString(const QString& from, const QString& to)>;

    // Names shown whole.
    OutcomeNameFit() = default;
    OutcomeNameFit(const QFont& font, int room);

    QString line(const QByteArray& from, const QByteArray& to, const Compose& compose) const;

private:
    // Kept as a font, measured on the thread that asks: font engines stay on their thread.
    std::optional<QFont> m_font;
    int m_room = 0;
};

} // namespace vornak
