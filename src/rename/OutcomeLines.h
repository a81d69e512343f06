#pragma once

#include "CharAdvances.h"

#include "texts/ReportLines.h"

#include <QFont>
#include <QStringList>

#include <functional>

namespace vornak {

// The lines of a run's or an undo's outcome, made when the window asks for them from what the
// job kept (a run cancelled over a million files keeps hundreds of thousands of files), and
// measured on the job's thread in the font the results window shows them in: the window then
// sizes itself without laying out every line on its own thread.
class OutcomeLines : public ReportLines {
public:
    using LineAt = std::function<QString(quint64 k)>;
    using RoughWidthAt = std::function<int(quint64 k, CharAdvances& advances)>;

    // count lines; roughWidthAt ranks them by width, and the roughly widest few are laid out
    // and measured.
    OutcomeLines(quint64 count, LineAt lineAt, const RoughWidthAt& roughWidthAt, const QFont& font);
    // The lines as they are.
    OutcomeLines(QStringList lines, const QFont& font);

    quint64 lineCount() const override { return m_count; }
    QString line(quint64 k) const override { return k < m_count ? m_lineAt(k) : QString(); }
    // The widest line found on the job's thread where the view measures it as it was measured
    // there; otherwise every line, to be measured again.
    QStringList widestLines(const TextWidth& width) const override;

private:
    quint64 m_count;
    LineAt m_lineAt;
    quint64 m_widest = 0;
    int m_width = 0;
};

} // namespace vornak
