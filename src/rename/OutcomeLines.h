#pragma once

#include "CharAdvances.h"
#include "OutcomeNameFit.h"

#include "texts/ReportLines.h"

#include <QFont>

#include <functional>

namespace vornak {

// The lines of a run's or an undo's outcome, made when the window asks for them from what the
// job kept (a run cancelled over a million files keeps hundreds of thousands of files), and
// measured on the job's thread in the font the results window shows them in: the window then
// sizes itself without laying out every line on its own thread. The window shows the names of
// a line shortened where the whole line would not fit the room it has on the screen; the
// lines copied keep them whole.
class OutcomeLines : public ReportLines {
public:
    // Line k, its names shown as fit shows them.
    using LineAt = std::function<QString(quint64 k, const OutcomeNameFit& fit)>;
    using RoughWidthAt = std::function<int(quint64 k, CharAdvances& advances)>;

    // count lines, shown within room pixels; roughWidthAt ranks them by width before their
    // names are shortened, and the roughly widest few are laid out and measured.
    OutcomeLines(quint64 count, LineAt lineAt, const RoughWidthAt& roughWidthAt, const QFont& font,
                 int room);

    quint64 lineCount() const override { return m_count; }
    QString line(quint64 k) const override { return k < m_count ? m_lineAt(k, {}) : QString(); }
    QString shownLine(quint64 k) const override
    {
        return k < m_count ? m_lineAt(k, m_fit) : QString();
    }
    // The widest shown line found on the job's thread where the view measures it as it was
    // measured there; otherwise every line, to be measured again.
    QStringList widestLines(const TextWidth& width) const override;

private:
    quint64 m_count;
    LineAt m_lineAt;
    OutcomeNameFit m_fit;
    quint64 m_widest = 0;
    int m_width = 0;
};

} // namespace vornak
