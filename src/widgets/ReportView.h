#pragma once

#include "texts/ReportLines.h"

#include <QWidget>

#include <optional>
#include <utility>

namespace vornak {

// Draws a report from a 64-bit pixel offset, laying out only the lines in view, so a report of
// any length scrolls as one tall label would, without a widget of its height.
class ReportView : public QWidget {
    Q_OBJECT
public:
    explicit ReportView(QWidget* parent);

    // The report stays owned by the caller and must outlive its use here.
    void setReport(const ReportLines* report);
    int lineHeight() const { return fontMetrics().lineSpacing(); }
    quint64 contentHeight() const;
    // Width in pixels of the report's widest shown line, measured among the few lines the
    // report names as the widest.
    int contentWidth() const;
    // How far the content is scrolled up, in pixels.
    quint64 top() const { return m_top; }
    void setTop(quint64 pixels);
    // The line at a point of the view, or nothing below the last line.
    std::optional<quint64> lineAt(QPoint point) const;
    // The lines in view, whole or in part, joined by line breaks.
    QString visibleText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The first and one past the last line in view.
    std::pair<quint64, quint64> visibleRange() const;

    const ReportLines* m_report = nullptr;
    quint64 m_top = 0;
};

} // namespace vornak
