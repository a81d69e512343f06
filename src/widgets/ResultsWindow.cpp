#include "ResultsWindow.h"

#include "ResultsLayout.h"

#include "CaptionColour.h"
#include "core/Twips.h"
#include "platform/Messages.h"

#include <QMouseEvent>

namespace vornak {

ResultsWindow::ResultsWindow(Platform& platform, const QString& title)
    : QWidget(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_platform(platform)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    // A parentless tool window would not keep the program running once the main window has
    // closed; this one stays until the user closes it.
    setAttribute(Qt::WA_QuitOnClose);
    setFixedSize(twipsToPixels(6630), twipsToPixels(6615));

    m_label1 = new QLabel(QStringLiteral("Label1"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(twipsRect(0, 0, 540, 180));
    m_label1->setWordWrap(false);
    m_label1->setTextFormat(Qt::PlainText);
    m_label1->setToolTip(QStringLiteral("单击自动复制内容"));
    setCaptionColour(*m_label1, QColor(0, 0, 255));
    m_label1->installEventFilter(this);

    m_vScroll1 = new QScrollBar(Qt::Vertical, this);
    m_vScroll1->setObjectName(QStringLiteral("VScroll1"));
    m_vScroll1->setGeometry(twipsRect(4440, 0, 375, 1935));
    connect(m_vScroll1, &QScrollBar::valueChanged, this, &ResultsWindow::onScrolled);
}

void ResultsWindow::setReport(const QString& report)
{
    m_report = report;
    m_label1->setText(withLineFeeds(report));
    fitToLabel();
    m_vScroll1->setValue(0);
    m_label1->move(0, 0);
}

void ResultsWindow::fitToLabel()
{
    m_label1->adjustSize();
    const int labelHeight = pixelsToTwips(m_label1->height());
    const ResultsLayout layout = resultsLayout(pixelsToTwips(m_label1->width()), labelHeight,
                                               pixelsToTwips(m_vScroll1->width()));
    // The layout gives the outer size, frame and title bar included.
    const QSize frame = frameGeometry().size() - size();
    setFixedSize(twipsToPixels(layout.windowWidth) - frame.width(),
                 twipsToPixels(layout.windowHeight) - frame.height());
    m_vScroll1->move(twipsToPixels(layout.barLeft), m_vScroll1->y());
    const ScrollRange range = scrollRange(labelHeight, outerHeightTwips());
    m_vScroll1->resize(m_vScroll1->width(), twipsToPixels(range.barHeight));
    m_vScroll1->setMaximum(range.barMaximum);
}

void ResultsWindow::onScrolled(int position)
{
    if (labelScrolls(pixelsToTwips(m_label1->height()), outerHeightTwips()))
        m_label1->move(0, twipsToPixels(scrolledLabelTop(position)));
}

int ResultsWindow::outerHeightTwips() const
{
    return pixelsToTwips(frameGeometry().height());
}

bool ResultsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_label1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        m_platform.setClipboardText(m_report);
    return QWidget::eventFilter(watched, event);
}

} // namespace vornak
