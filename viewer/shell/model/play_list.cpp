#include "shell/model/play_list.h"

#include <algorithm>
#include <cstdint>

#include "catalogue/name_rules.h"

namespace shell {
namespace {

constexpr int kThumbTravel = PlayList::kFullThumb.bottom - PlayList::kFullThumb.top;  // 139
// The page under a dragged thumb is counted from three pixels above its travel.
constexpr int kDragPageOrigin = 592;
// Drags farther than this behave like drags to it; keeps the float arithmetic in range.
constexpr std::int64_t kFarDrag = 1'000'000;

PixelRect thumbRect(float top, float height) {
    return PixelRect{PlayList::kFullThumb.left, static_cast<int>(top), PlayList::kFullThumb.right,
                     static_cast<int>(top + height)};
}

} // namespace

int PlayList::addSelected(std::span<const std::string> paths) {
    int added = 0;
    for (const std::string& path : paths) added += append(path) ? 1 : 0;
    updateScrollThumb();
    return added;
}

int PlayList::addDropped(std::span<const std::string> paths) {
    int added = 0;
    for (const std::string& path : paths) {
        if (catalogue::acceptsDroppedPath(path)) added += append(path) ? 1 : 0;
    }
    updateScrollThumb();
    return added;
}

void PlayList::clear() {
    paths_.clear();
    listed_.clear();
    pageIndex_ = 0;
    highlightIndex_ = 0;
    playingIndex_ = 0;
    scrollThumb_ = kFullThumb;
}

bool PlayList::append(const std::string& path) {
    if (!listed_.insert(path).second) return false;
    paths_.push_back(path);
    return true;
}

int PlayList::pageCount() const {
    const int n = size();
    if (n <= kRowsPerPage) return 1;
    return n / kRowsPerPage + (n % kRowsPerPage != 0 ? 1 : 0);
}

int PlayList::rowsOnPage() const {
    const std::int64_t left = std::int64_t{size()} - std::int64_t{pageIndex_} * kRowsPerPage;
    return static_cast<int>(std::clamp<std::int64_t>(left, 0, kRowsPerPage));
}

std::vector<PlayList::Row> PlayList::visibleRows() const {
    std::vector<Row> rows;
    for (int row = 0; row < rowsOnPage(); ++row) {
        const int entry = pageIndex_ * kRowsPerPage + row;
        PixelRect rect = kFirstRow;
        rect.top += row * kRowHeight;
        rect.bottom += row * kRowHeight;
        rows.push_back(Row{entry, rect, entry == highlightIndex_});
    }
    return rows;
}

bool PlayList::highlightAt(int x, int y) {
    for (const Row& row : visibleRows()) {
        if (row.rect.contains(x, y)) {
            highlightIndex_ = row.entryIndex;
            return true;
        }
    }
    return false;
}

std::optional<std::string> PlayList::openHighlighted() {
    if (highlightIndex_ < 0 || highlightIndex_ >= size()) return std::nullopt;
    playingIndex_ = highlightIndex_;
    currentPath_ = paths_[static_cast<std::size_t>(highlightIndex_)];
    return currentPath_;
}

std::string PlayList::titleText() const {
    if (empty()) return {};
    const auto position = catalogue::titlePrefixPosition(currentPath_);
    if (position < 0) return {};
    return currentPath_.substr(static_cast<std::size_t>(position));
}

void PlayList::showPageOf(int index) {
    highlightIndex_ = index;
    pageIndex_ = index / kRowsPerPage;
}

bool PlayList::stepPrevious() {
    if (empty()) return false;
    const int last = size() - 1;
    playingIndex_ = (playingIndex_ > 0 && playingIndex_ <= last) ? playingIndex_ - 1 : last;
    showPageOf(playingIndex_);
    return true;
}

bool PlayList::stepNext() {
    if (empty()) return false;
    const int last = size() - 1;
    playingIndex_ = (playingIndex_ >= 0 && playingIndex_ < last) ? playingIndex_ + 1 : 0;
    showPageOf(playingIndex_);
    return true;
}

void PlayList::stepAfterClipEnd() {
    highlightIndex_ = playingIndex_;
    const int last = size() - 1;
    if (highlightIndex_ < last) {
        showPageOf(highlightIndex_ + 1);
    } else if (highlightIndex_ == last) {
        showPageOf(0);
    }
}

void PlayList::updateScrollThumb() {
    const int pages = pageCount();
    if (pages <= 1) {
        scrollThumb_ = kFullThumb;
        return;
    }
    const float height = static_cast<float>(kThumbTravel) / static_cast<float>(pages);
    const float top = static_cast<float>(pageIndex_) * height + static_cast<float>(kFullThumb.top);
    scrollThumb_ = thumbRect(top, height);
}

void PlayList::pageUp() {
    if (pageIndex_ > 0) {
        --pageIndex_;
        updateScrollThumb();
    }
}

void PlayList::pageDown() {
    if (pageIndex_ < pageCount() - 1) {
        ++pageIndex_;
        updateScrollThumb();
    }
}

bool PlayList::beginThumbDrag(int y) {
    if (pageCount() < 2 || !scrollThumb_) return false;
    dragAnchorY_ = y;
    return true;
}

bool PlayList::dragThumbTo(int y) {
    const int pages = pageCount();
    if (pages < 2 || !scrollThumb_) return false;
    const int oldPage = pageIndex_;
    const float height = static_cast<float>(kThumbTravel) / static_cast<float>(pages);
    const std::int64_t moved = std::int64_t{scrollThumb_->top} + (std::int64_t{y} - dragAnchorY_);
    int top = static_cast<int>(std::clamp(moved, -kFarDrag, kFarDrag));

    if (top != kFullThumb.top) {
        const float page = static_cast<float>(top - kDragPageOrigin) / height;
        if (page >= static_cast<float>(pages - 1)) {
            pageIndex_ = pages - 1;
        } else {
            pageIndex_ = page > 0.0f ? static_cast<int>(page) : 0;
        }
    }

    const float lowestTop = static_cast<float>(kFullThumb.bottom) - height;
    if (top < kFullThumb.top) top = kFullThumb.top;
    if (static_cast<float>(top) > lowestTop) top = static_cast<int>(lowestTop);
    // Where the page heights do not add up to the whole travel in single precision, a thumb
    // below the last page's top also goes to the bottom.
    const float lastPageTop =
        static_cast<float>(pages - 1) * height + static_cast<float>(kFullThumb.top);
    if (static_cast<float>(pages) * height < static_cast<float>(kThumbTravel) &&
        static_cast<float>(top) > lastPageTop) {
        top = static_cast<int>(lowestTop);
    }
    scrollThumb_ = thumbRect(static_cast<float>(top), height);
    pageIndex_ = std::clamp(pageIndex_, 0, pages - 1);
    dragAnchorY_ = y;
    return pageIndex_ != oldPage;
}

} // namespace shell
