#include "ResultsWindow.h"

#include "CaptionColour.h"
#include "widgets/Twips.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QScreen>
#include <QWheelEvent>

#include <limits>

namespace vornak {

namespace {

// Steps of 100 twips that one turn of the wheel scrolls.
constexpr int kWheelSteps = 3;
constexpr int kBarWidth = 375;
// Pixels around the action button.
constexpr int kActionMargin = 6;

// Counts grouped by thousands, as in the reports: "1,599,960,002".
QString tooLargeToCopy(quint64 lines, quint64 bytes)
{
    static const QLocale chinese(QLocale::Chinese, QLocale::China);
    return ResultsWindow::tr("报告共 %1 行、%2 字节，超过剪贴板可容纳的 64 MB，没有复制。")
        .arg(chinese.toString(lines), chinese.toString(bytes));
}

} // namespace

ResultsWindow::ResultsWindow(Platform& platform, const QString& title, QWidget* beside,
                             const QString& placeKey, Sizing sizing)
    : QWidget(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_platform(platform), m_beside(beside), m_place(*this, placeKey), m_sizing(sizing)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    // A parentless tool window would not keep the program running once the main window has
    // closed; this one stays until the user closes it.
    setAttribute(Qt::WA_QuitOnClose);
    setFixedSize(twipsToPixels(6630), twipsToPixels(6615));

    m_label1 = new ReportView(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(twipsRect(0, 0, 540, 180));
    m_label1->setToolTip(tr("单击自动复制内容"));
    setCaptionColour(*m_label1, QColor(0, 0, 255));
    m_label1->installEventFilter(this);

    m_vScroll1 = new QScrollBar(Qt::Vertical, this);
    m_vScroll1->setObjectName(QStringLiteral("VScroll1"));
    m_vScroll1->setGeometry(twipsRect(4440, 0, kBarWidth, 1935));
    connect(m_vScroll1, &QScrollBar::actionTriggered, this, &ResultsWindow::onBarAction);
    connect(m_vScroll1, &QScrollBar::valueChanged, this, &ResultsWindow::onBarValueChanged);
}

void ResultsWindow::showReport(std::unique_ptr<const ReportLines> report)
{
    m_report = std::move(report);
    m_label1->setReport(m_report.get());
    m_labelWidth = pixelsToTwips(m_label1->contentWidth());
    m_labelHeight = qint64(m_report->lineCount()) * pixelsToTwips(m_label1->lineHeight());
    m_position = 0;
    fitToReport();
    m_vScroll1->setValue(0);
    if (isVisible())
        return;
    if (m_beside)
        m_place.place(*m_beside, size() + SecondWindowPlace::frameExtent(*m_beside));
    show();
}

QPushButton& ResultsWindow::addActionButton(const QString& text, const QString& objectName)
{
    delete m_action;
    m_action = new QPushButton(text, this);
    m_action->setObjectName(objectName);
    // A child made after its window has shown is hidden until shown itself.
    m_action->show();
    if (m_report)
        fitToReport();
    return *m_action;
}

int ResultsWindow::widestFittingLine(const QWidget& beside)
{
    const QScreen* screen = beside.screen();
    if (!screen)
        return std::numeric_limits<int>::max();
    return twipsToPixels(
        widestLabel(pixelsToTwips(screen->availableGeometry().width()), kBarWidth));
}

ResultsLayout ResultsWindow::currentLayout() const
{
    return resultsLayout(m_labelWidth, m_labelHeight, pixelsToTwips(m_vScroll1->width()));
}

void ResultsWindow::fitToReport()
{
    const ResultsLayout layout = currentLayout();
    m_fittedFrame = frameSize();
    const bool whole = m_sizing == Sizing::ToLines && labelFitsWindow(m_labelHeight);
    m_vScroll1->setVisible(!whole);
    if (whole) {
        // The layout's margins go inside the frame, where the title bar would take them.
        const QSize room = m_beside ? SecondWindowPlace::availableArea(*m_beside).size() -
                                          SecondWindowPlace::frameExtent(*m_beside)
                                    : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setFixedSize(QSize(twipsToPixels(layout.windowWidth - pixelsToTwips(m_vScroll1->width())),
                           twipsToPixels(layout.windowHeight))
                         .boundedTo(room));
    } else {
        // The layout gives the outer size, frame and title bar included.
        setFixedSize(twipsToPixels(layout.windowWidth) - m_fittedFrame.width(),
                     twipsToPixels(layout.windowHeight) - m_fittedFrame.height());
    }
    // An action button gets a strip of its own below the report.
    const int strip = m_action ? m_action->sizeHint().height() + 2 * kActionMargin : 0;
    if (m_action) {
        setFixedHeight(height() + strip);
        m_action->setGeometry(kActionMargin, height() - strip + kActionMargin,
                              m_action->sizeHint().width(), m_action->sizeHint().height());
    }
    m_vScroll1->move(twipsToPixels(layout.barLeft), m_vScroll1->y());
    const ScrollRange range = scrollRange(m_labelHeight, outerHeightTwips() - pixelsToTwips(strip));
    m_vScroll1->resize(m_vScroll1->width(), twipsToPixels(range.barHeight));
    m_maximum = range.barMaximum;
    m_vScroll1->setMaximum(barMaximum(m_maximum));
    m_label1->setGeometry(0, 0, twipsToPixels(m_labelWidth), height() - strip);
    scrollTo(std::min(m_position, m_maximum));
}

int ResultsWindow::outerHeightTwips() const
{
    return pixelsToTwips(frameGeometry().height());
}

void ResultsWindow::closeEvent(QCloseEvent* event)
{
    m_place.rememberIfMoved();
    QWidget::closeEvent(event);
}

bool ResultsWindow::event(QEvent* event)
{
    // The type is read first: a deferred delete ends this window inside QWidget::event.
    const QEvent::Type type = event->type();
    const bool handled = QWidget::event(event);
    // A window manager frames the window only once it is shown; the outer size must then be
    // measured again.
    if ((type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show) && m_report &&
        frameSize() != m_fittedFrame)
        fitToReport();
    return handled;
}

// The bar's own steps become steps of the report, which the bar may be too coarse to show.
void ResultsWindow::onBarAction(int action)
{
    qint64 position = m_position;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        position += m_vScroll1->singleStep();
        break;
    case QAbstractSlider::SliderSingleStepSub:
        position -= m_vScroll1->singleStep();
        break;
    case QAbstractSlider::SliderPageStepAdd:
        position += m_vScroll1->pageStep();
        break;
    case QAbstractSlider::SliderPageStepSub:
        position -= m_vScroll1->pageStep();
        break;
    case QAbstractSlider::SliderToMinimum:
        position = 0;
        break;
    case QAbstractSlider::SliderToMaximum:
        position = m_maximum;
        break;
    default:
        return; // dragged: the value that follows tells where to
    }
    scrollTo(std::clamp<qint64>(position, 0, m_maximum));
    m_vScroll1->setSliderPosition(barValue(m_position, m_maximum));
}

void ResultsWindow::onBarValueChanged(int value)
{
    if (value != barValue(m_position, m_maximum))
        scrollTo(positionAt(value, m_maximum));
}

void ResultsWindow::scrollTo(qint64 position)
{
    m_position = position;
    if (labelScrolls(m_labelHeight, outerHeightTwips()))
        m_label1->setTop(scrolledPixels(position));
}

void ResultsWindow::copyReport()
{
    const quint64 size = m_report->textSize();
    if (size > kClipboardLimit) {
        m_platform.messageBox(tooLargeToCopy(m_report->lineCount(), size), MessageButtons::Ok,
                              windowTitle());
        return;
    }
    m_platform.setClipboardText(m_report->text());
}

bool ResultsWindow::handleKey(const QKeyEvent& key)
{
    if (key.matches(QKeySequence::Copy)) {
        // The lines in view, whatever the report's size: the one way to take part of a report
        // too large for the clipboard.
        m_platform.setClipboardText(m_label1->visibleText());
        return true;
    }
    static constexpr std::pair<int, QAbstractSlider::SliderAction> kKeys[] = {
        {Qt::Key_Up, QAbstractSlider::SliderSingleStepSub},
        {Qt::Key_Down, QAbstractSlider::SliderSingleStepAdd},
        {Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub},
        {Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd},
        {Qt::Key_Home, QAbstractSlider::SliderToMinimum},
        {Qt::Key_End, QAbstractSlider::SliderToMaximum}};
    for (const auto& [code, action] : kKeys) {
        if (key.key() == code && key.modifiers() == Qt::NoModifier) {
            m_vScroll1->triggerAction(action);
            return true;
        }
    }
    return false;
}

bool ResultsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_label1 || !m_report)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && m_label1->lineAt(mouse->position().toPoint()))
            copyReport();
        break;
    }
    case QEvent::KeyPress:
        if (handleKey(*static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::Wheel: {
        // Touchpads turn the wheel in fractions of a notch.
        m_wheelDelta += static_cast<QWheelEvent*>(event)->angleDelta().y();
        const int notches = m_wheelDelta / QWheelEvent::DefaultDeltasPerStep;
        m_wheelDelta -= notches * QWheelEvent::DefaultDeltasPerStep;
        for (int i = 0; i < std::abs(notches) * kWheelSteps; ++i)
            m_vScroll1->triggerAction(notches > 0 ? QAbstractSlider::SliderSingleStepSub
                                                  : QAbstractSlider::SliderSingleStepAdd);
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vornak
