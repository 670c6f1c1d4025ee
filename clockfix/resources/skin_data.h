#pragma once
// Clockfix's embedded skin: PNG bytes written by tools/skingen at build time into
// clockfix_skin_data.cpp of the build folder. Only bitmaps.cpp reads it.

#include <cstddef>
#include <span>

namespace clockfix_res::skin_data {

struct Entry {
    int id;
    const unsigned char* data;   // PNG
    std::size_t size;
};

std::span<const Entry> Bitmaps();

} // namespace clockfix_res::skin_data
