#pragma once

#include "ReportView.h"
#include "ResultsLayout.h"
#include "SecondWindowPlace.h"
#include "platform/Platform.h"
#include "texts/ReportLines.h"

#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include <memory>

namespace vornak {

// Form2: shows a report in blue text that sizes the window to it, with a scroll bar for
// reports taller than the window; a click on the text copies the whole report. Reports of any
// length are drawn line by line as they come into view. The window belongs to no other window
// and is discarded when closed.
class ResultsWindow : public QWidget {
    Q_OBJECT
public:
    // The clipboard takes a report up to this many bytes of UTF-8 text.
    static constexpr quint64 kClipboardLimit = quint64(64) << 20;

    // How the window sizes itself to a report that it shows whole.
    enum class Sizing {
        // The described sizes, scroll bar included.
        Described,
        // Its lines within the window's frame, without a scroll bar.
        ToLines,
    };

    // The window first opens beside `beside`, the main window the report comes from, or where
    // the user last left a window kept under placeKey.
    ResultsWindow(Platform& platform, const QString& title, QWidget* beside,
                  const QString& placeKey, Sizing sizing = Sizing::Described);

    // The widest line, in pixels, that a window opened beside `beside` shows within the
    // available width of that window's screen.
    static int widestFittingLine(const QWidget& beside);

    // Shows the report from its top, fits the window to it and makes the window visible.
    void showReport(std::unique_ptr<const ReportLines> report);
    const ReportLines& report() const { return *m_report; }

    // A button below the report that acts on what it reports (the window takes it, and makes
    // room for it); the window has at most one.
    QPushButton& addActionButton(const QString& text, const QString& objectName);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    ResultsLayout currentLayout() const;
    void fitToReport();
    int outerHeightTwips() const;
    QSize frameSize() const { return frameGeometry().size() - size(); }
    void onBarAction(int action);
    void onBarValueChanged(int value);
    void scrollTo(qint64 position);
    void copyReport();
    bool handleKey(const QKeyEvent& key);

    Platform& m_platform;
    QPointer<QWidget> m_beside;
    SecondWindowPlace m_place;
    Sizing m_sizing;
    std::unique_ptr<const ReportLines> m_report;
    ReportView* m_label1 = nullptr;
    QScrollBar* m_vScroll1 = nullptr;
    QPushButton* m_action = nullptr;
    // The report's size in twips, measured once per report.
    int m_labelWidth = 0;
    qint64 m_labelHeight = 0;
    // The scroll position in steps of 100 twips, which the bar may only approximate.
    qint64 m_position = 0;
    qint64 m_maximum = 0;
    int m_wheelDelta = 0;
    // The frame the window was last fitted with; a window manager reports it after showing.
    QSize m_fittedFrame;
};

} // namespace vornak
