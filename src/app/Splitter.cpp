#include "Splitter.h"

#include "widgets/Twips.h"

#include <QMouseEvent>

namespace vornak {

namespace {

int twipsX(const QMouseEvent& event)
{
    return pixelsToTwips(event.position().toPoint().x());
}

} // namespace

Splitter::Splitter(QWidget& bar, QWidget& folderList, QWidget& fileList, QObject* parent)
    : QObject(parent), m_bar(bar), m_folderList(folderList), m_fileList(fileList)
{
    // Moves without a button must reach the bar too: see the class comment.
    m_bar.setMouseTracking(true);
    m_bar.installEventFilter(this);
}

void Splitter::mouseDown(int x)
{
    m_dragging = true;
    m_bar.setCursor(Qt::SizeHorCursor);
    m_dragStartX = x;
}

void Splitter::mouseMove(int x)
{
    if (!m_dragging)
        return;
    apply(
        splitterAfterMove(pixelsToTwips(m_bar.x()), pixelsToTwips(m_bar.width()), x, m_dragStartX));
}

void Splitter::mouseUp()
{
    m_dragging = false;
    m_bar.setCursor(Qt::SizeAllCursor);
    apply(splitterAfterRelease(currentLayout(), pixelsToTwips(m_bar.width())));
}

bool Splitter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_bar)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        mouseDown(twipsX(*static_cast<QMouseEvent*>(event)));
        return true;
    case QEvent::MouseMove:
        mouseMove(twipsX(*static_cast<QMouseEvent*>(event)));
        return true;
    case QEvent::MouseButtonRelease:
        mouseUp();
        return true;
    default:
        return false;
    }
}

SplitterLayout Splitter::currentLayout() const
{
    return {pixelsToTwips(m_bar.x()), pixelsToTwips(m_folderList.width()),
            pixelsToTwips(m_fileList.x()), pixelsToTwips(m_fileList.width())};
}

void Splitter::apply(const SplitterLayout& layout)
{
    m_folderList.setGeometry(0, m_folderList.y(), twipsToPixels(layout.folderListWidth),
                             m_folderList.height());
    m_bar.move(twipsToPixels(layout.barLeft), m_bar.y());
    m_fileList.setGeometry(twipsToPixels(layout.fileListLeft), m_fileList.y(),
                           twipsToPixels(layout.fileListWidth), m_fileList.height());
}

} // namespace vornak
