#pragma once

#include "SplitterLayout.h"

#include <QObject>
#include <QWidget>

namespace vornak {

// lab: the bar between Dir1 and File1, dragged with any mouse button to move the boundary
// between them. The bar's pointer shape is the drag state: the west-east arrow while a drag
// is on, the default pointer before the first press and the four-way arrow after a release.
// Only the pointer's horizontal position counts, so the button state is never consulted: a
// drag whose release went elsewhere goes on until the next release on the bar.
class Splitter : public QObject {
    Q_OBJECT
public:
    Splitter(QWidget& lab, QWidget& dir1, QWidget& file1);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // x is the pointer's position in twips from the bar's left edge.
    void mouseDown(int x);
    void mouseMove(int x);
    void mouseUp();
    bool isDragging() const;
    SplitterLayout currentLayout() const;
    void apply(const SplitterLayout& layout);

    QWidget& m_lab;
    QWidget& m_dir1;
    QWidget& m_file1;
    int m_dragStartX = 0;
};

} // namespace vornak
