#pragma once
// A rectangle in client pixels of the main window, with the Windows convention for hit tests:
// left and top inside, right and bottom outside.

namespace shell {

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr bool contains(int x, int y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    bool operator==(const PixelRect&) const = default;
};

} // namespace shell
