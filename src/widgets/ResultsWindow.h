#pragma once

#include "platform/Platform.h"

#include <QLabel>
#include <QScrollBar>
#include <QWidget>

namespace vornak {

// Form2: shows the report of a full check in a blue label that sizes itself to the text, with
// a scroll bar for reports taller than the window; a click on the label copies the whole
// report. The window belongs to no other window and is discarded when closed.
class ResultsWindow : public QWidget {
    Q_OBJECT
public:
    ResultsWindow(Platform& platform, const QString& title);

    // Shows the report from its top and fits the window to it.
    void setReport(const QString& report);
    const QString& report() const { return m_report; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitToLabel();
    void onScrolled(int position);
    int outerHeightTwips() const;

    Platform& m_platform;
    QString m_report;
    QLabel* m_label1 = nullptr;
    QScrollBar* m_vScroll1 = nullptr;
};

} // namespace vornak
