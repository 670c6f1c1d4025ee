#pragma once
// The embedded skin: PNG bytes written by tools/skingen at build time into skin_data.cpp of the
// build folder. Only bitmaps.cpp reads it.

#include <cstddef>
#include <span>

namespace resources::skin_data {

struct Entry {
    int key;                    // bitmap id; for the application icon its size in pixels
    const unsigned char* data;  // PNG
    std::size_t size;
};

std::span<const Entry> Bitmaps();
std::span<const Entry> AppIcons();

} // namespace resources::skin_data
