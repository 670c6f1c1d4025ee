#include "settings/folder_text.h"

#include <cstddef>

namespace settings {

namespace {

constexpr char kSeparator = '/';
constexpr std::size_t kShownCharacters = 13;
constexpr std::string_view kCutMark = "...";

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The byte offset where character number `index` starts; the size when the text is shorter.
std::size_t OffsetOfCharacter(std::string_view text, std::size_t index) {
    std::size_t characters = 0;
    for (std::size_t offset = 0; offset < text.size(); ++offset) {
        if (IsContinuationByte(text[offset])) continue;
        if (characters++ == index) return offset;
    }
    return text.size();
}

} // namespace

std::string FolderEndingInSeparator(std::string_view path) {
    std::string folder(path);
    if (folder.empty() || folder.back() != kSeparator) folder += kSeparator;
    return folder;
}

std::string FolderWithAddedSeparator(std::string_view path) {
    return std::string(path) + kSeparator;
}

std::string ShownFolder(std::string_view folder) {
    const std::size_t cut = OffsetOfCharacter(folder, kShownCharacters - 1);
    if (cut == folder.size()) return std::string(folder);   // 12 characters or fewer
    const std::size_t end = OffsetOfCharacter(folder, kShownCharacters);
    return std::string(folder.substr(0, end)) + std::string(kCutMark);
}

} // namespace settings
