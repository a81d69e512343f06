#include "Splitter.h"

#include "core/Twips.h"

#include <QMouseEvent>

namespace vornak {

namespace {

int twipsX(const QMouseEvent& event)
{
    return pixelsToTwips(event.position().toPoint().x());
}

} // namespace

Splitter::Splitter(QWidget& lab, QWidget& dir1, QWidget& file1)
    : m_lab(lab), m_dir1(dir1), m_file1(file1)
{
    // Moves without a button must reach the bar too: see the class comment.
    m_lab.setMouseTracking(true);
    m_lab.installEventFilter(this);
}

void Splitter::mouseDown(int x)
{
    m_lab.setCursor(Qt::SizeHorCursor);
    m_dragStartX = x;
}

void Splitter::mouseMove(int x)
{
    if (!isDragging())
        return;
    apply(
        splitterAfterMove(pixelsToTwips(m_lab.x()), pixelsToTwips(m_lab.width()), x, m_dragStartX));
}

void Splitter::mouseUp()
{
    m_lab.setCursor(Qt::SizeAllCursor);
    apply(splitterAfterRelease(currentLayout(), pixelsToTwips(m_lab.width())));
}

bool Splitter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_lab)
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

bool Splitter::isDragging() const
{
    return m_lab.testAttribute(Qt::WA_SetCursor) && m_lab.cursor().shape() == Qt::SizeHorCursor;
}

SplitterLayout Splitter::currentLayout() const
{
    return {pixelsToTwips(m_lab.x()), pixelsToTwips(m_dir1.width()), pixelsToTwips(m_file1.x()),
            pixelsToTwips(m_file1.width())};
}

void Splitter::apply(const SplitterLayout& layout)
{
    m_dir1.setGeometry(0, m_dir1.y(), twipsToPixels(layout.folderListWidth), m_dir1.height());
    m_lab.move(twipsToPixels(layout.barLeft), m_lab.y());
    m_file1.setGeometry(twipsToPixels(layout.fileListLeft), m_file1.y(),
                        twipsToPixels(layout.fileListWidth), m_file1.height());
}

} // namespace vornak
