#pragma once

#include "widgets/TextLines.h"

#include <QFont>

namespace vornak {

// The lines of a run's outcome, made and measured on the run's thread in the font the results
// window shows them in: the window then sizes itself without measuring hundreds of thousands
// of lines on its own thread.
class OutcomeLines : public TextLines {
public:
    OutcomeLines(QStringList lines, const QFont& font);

    // The width found on the run's thread (the widest of the lines whose characters are the
    // widest, laid out), where metrics measure that line as it was measured there; otherwise
    // every line measured again.
    int width(const QFontMetrics& metrics) const override;

private:
    quint64 m_widest = 0;
    int m_width = 0;
};

} // namespace vornak
