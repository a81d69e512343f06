#pragma once

namespace vornak {

// Right edge of the file list that every drag keeps: its left edge plus its width as the
// window first shows it.
inline constexpr int FileListRightEdge = 4780;
// A release leaves the file list alone up to this left edge, and beyond it gives the list its
// minimum width.
inline constexpr int SplitterMinFileListLeft = 4380;
inline constexpr int FileListMinWidth = FileListRightEdge - SplitterMinFileListLeft;

// Where the bar between the folder list and the file list leaves the two lists, in twips of
// the frame. The folder list's left edge is always 0.
struct SplitterLayout {
    int barLeft = 0;
    int folderListWidth = 0;
    int fileListLeft = 0;
    int fileListWidth = 0;

    friend bool operator==(const SplitterLayout&, const SplitterLayout&) = default;
};

// A drag step: the bar follows the pointer (pointerX in the bar's own coordinates) and keeps
// the offset at which it was grabbed. A pointer left of that offset from the frame's edge
// mirrors the bar to the right rather than pushing it off the frame; a file list pushed past
// its right edge gets the overshoot as its width.
SplitterLayout splitterAfterMove(int barLeft, int barWidth, int pointerX, int dragStartX);

// The release: the bar is aligned with the folder list's right edge, and a file list left
// narrower than the minimum is given it.
SplitterLayout splitterAfterRelease(const SplitterLayout& layout, int barWidth);

} // namespace vornak
