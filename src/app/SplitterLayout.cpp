#include "SplitterLayout.h"

#include <cstdlib>

namespace vornak {

SplitterLayout splitterAfterMove(int barLeft, int barWidth, int pointerX, int dragStartX)
{
    SplitterLayout layout;
    layout.barLeft = std::abs(barLeft + pointerX - dragStartX);
    layout.folderListWidth = layout.barLeft;
    layout.fileListLeft = layout.folderListWidth + barWidth;
    layout.fileListWidth = std::abs(FileListRightEdge - layout.fileListLeft);
    return layout;
}

SplitterLayout splitterAfterRelease(const SplitterLayout& layout, int barWidth)
{
    SplitterLayout released = layout;
    if (layout.fileListLeft > SplitterMinFileListLeft) {
        released.barLeft = SplitterMinFileListLeft - barWidth;
        released.folderListWidth = released.barLeft;
        released.fileListWidth = FileListMinWidth;
        released.fileListLeft = barWidth + released.folderListWidth;
        return released;
    }
    released.barLeft = layout.folderListWidth;
    return released;
}

} // namespace vornak
