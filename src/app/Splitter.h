#pragma once

#include "SplitterLayout.h"

#include <QObject>
#include <QWidget>

namespace vornak {

// The bar between the folder list and the file list, dragged with any mouse button to move the
// boundary between them. A drag is on from a press on the bar until the next release on it;
// the bar's pointer shows it: the west-east arrow while a drag is on, the default pointer
// before the first press and the four-way arrow after a release. Only the pointer's
// horizontal position counts, so the button state is never consulted: a drag whose release
// went elsewhere goes on until the next release on the bar.
class Splitter : public QObject {
    Q_OBJECT
public:
    Splitter(QWidget& bar, QWidget& folderList, QWidget& fileList, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // x is the pointer's position in twips from the bar's left edge.
    void mouseDown(int x);
    void mouseMove(int x);
    void mouseUp();
    SplitterLayout currentLayout() const;
    void apply(const SplitterLayout& layout);

    QWidget& m_bar;
    QWidget& m_folderList;
    QWidget& m_fileList;
    bool m_dragging = false;
    int m_dragStartX = 0;
};

} // namespace vornak
