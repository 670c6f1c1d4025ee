#pragma once
// The main window's play list: recordings in order of arrival, each path at most once (exact,
// case-sensitive comparison), shown eight rows to a page with a scroll bar at the right. Holds
// the highlighted row, the recording last opened and the page on screen, and answers the list's
// mouse hit tests. Plain data for the main window; user-interface thread.

#include <optional>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

#include "shell/model/pixel_rect.h"

namespace shell {

class PlayList {
public:
    static constexpr int kRowsPerPage = 8;
    static constexpr PixelRect kListArea{604, 577, 986, 753};
    static constexpr int kRowHeight = 22;
    static constexpr PixelRect kFirstRow{604, 577, 971, 599};
    static constexpr PixelRect kScrollUp{971, 578, 986, 591};
    static constexpr PixelRect kScrollTrack{971, 592, 986, 738};
    static constexpr PixelRect kScrollDown{971, 739, 986, 752};
    static constexpr PixelRect kFullThumb{974, 595, 983, 734};  // the thumb's travel

    struct Row {
        int entryIndex;
        PixelRect rect;
        bool highlighted;
    };

    // Entries chosen in the file-open window: each path not yet listed is appended. The scroll
    // thumb is recomputed; the page does not change. Returns how many were appended.
    int addSelected(std::span<const std::string> paths);
    // Dropped files: as addSelected, for paths that acceptsDroppedPath accepts.
    int addDropped(std::span<const std::string> paths);
    // Delete list: empty, every index 0, one page, the thumb over the whole track.
    void clear();

    const std::vector<std::string>& paths() const { return paths_; }
    int size() const { return static_cast<int>(paths_.size()); }
    bool empty() const { return paths_.empty(); }

    int highlightIndex() const { return highlightIndex_; }
    int playingIndex() const { return playingIndex_; }
    int pageIndex() const { return pageIndex_; }
    int pageCount() const;
    int rowsOnPage() const;
    std::vector<Row> visibleRows() const;

    // Press on a row of the current page: highlights its entry. False when no row is there.
    bool highlightAt(int x, int y);

    // Opening: the highlighted entry becomes the one playing and the current path.
    std::optional<std::string> openHighlighted();
    const std::string& currentPath() const { return currentPath_; }
    // The title line: the current path from its kind prefix on, while the list is not empty.
    std::string titleText() const;

    // Prev and next walk from the recording last opened, wrapping at both ends; they move the
    // highlight and the page to it. False on an empty list.
    bool stepPrevious();
    bool stepNext();
    // After the end of a clip: the highlight moves to the entry after the one that played,
    // wrapping to the first.
    void stepAfterClipEnd();

    // The scroll thumb; none from start until it is first computed.
    const std::optional<PixelRect>& scrollThumb() const { return scrollThumb_; }
    void updateScrollThumb();
    // The arrows: one page up or down when there is one; the thumb follows.
    void pageUp();
    void pageDown();

    // Dragging the thumb. begin: false (nothing to drag) with fewer than two pages.
    bool beginThumbDrag(int y);
    // Returns true when the page changed.
    bool dragThumbTo(int y);

private:
    bool append(const std::string& path);
    void showPageOf(int index);

    std::vector<std::string> paths_;
    std::unordered_set<std::string> listed_;
    int highlightIndex_ = 0;
    int playingIndex_ = 0;
    int pageIndex_ = 0;
    std::string currentPath_;
    std::optional<PixelRect> scrollThumb_;
    int dragAnchorY_ = 0;
};

} // namespace shell
