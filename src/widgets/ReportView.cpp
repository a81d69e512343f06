#include "ReportView.h"

#include "platform/Messages.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace vornak {

ReportView::ReportView(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void ReportView::setReport(const ReportLines* report)
{
    m_report = report;
    m_top = 0;
    update();
}

quint64 ReportView::contentHeight() const
{
    return m_report ? m_report->lineCount() * quint64(lineHeight()) : 0;
}

int ReportView::contentWidth() const
{
    if (!m_report)
        return 0;
    const QFontMetrics metrics = fontMetrics();
    const auto width = [&metrics](const QString& text) { return metrics.horizontalAdvance(text); };
    int widest = 0;
    for (const QString& line : m_report->widestLines(width))
        widest = std::max(widest, width(line));
    return widest;
}

void ReportView::setTop(quint64 pixels)
{
    if (pixels == m_top)
        return;
    m_top = pixels;
    update();
}

std::optional<quint64> ReportView::lineAt(QPoint point) const
{
    if (point.y() < 0)
        return std::nullopt;
    const quint64 k = (m_top + quint64(point.y())) / quint64(lineHeight());
    if (!m_report || k >= m_report->lineCount())
        return std::nullopt;
    return k;
}

std::pair<quint64, quint64> ReportView::visibleRange() const
{
    if (!m_report)
        return {0, 0};
    const auto spacing = quint64(lineHeight());
    const quint64 first = m_top / spacing;
    const quint64 end = (m_top + quint64(std::max(height(), 0)) + spacing - 1) / spacing;
    return {std::min(first, m_report->lineCount()), std::min(end, m_report->lineCount())};
}

QString ReportView::visibleText() const
{
    const auto [first, end] = visibleRange();
    QString text;
    for (quint64 k = first; k < end; ++k) {
        if (k > first)
            text.append(kLineBreak);
        text.append(m_report->line(k));
    }
    return text;
}

void ReportView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int spacing = lineHeight();
    const int ascent = fontMetrics().ascent();
    const auto [first, end] = visibleRange();
    // The offset of the first line in view is below one line's height, so this fits an int.
    int y = -int(m_top - first * quint64(spacing));
    for (quint64 k = first; k < end; y += spacing, ++k) {
        if (y + spacing >= event->rect().top() && y <= event->rect().bottom())
            painter.drawText(0, y + ascent, m_report->shownLine(k));
    }
}

} // namespace vornak
