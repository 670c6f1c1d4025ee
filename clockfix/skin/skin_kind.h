#pragma once
// The kinds of skinned control, which template control each replaces (by its Windows class and
// style) and the default name each gets ("Group0", "Group1", ...).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skin {

enum class SkinKind : int {
    Static,
    Picture,
    Group,
    Check,
    Radio,
    Button,
    Edit,
    ListBox,
    Combo,
    Progress,
    Slider,
    ListView,
};
inline constexpr int kSkinKindCount = 12;

// The kind that replaces a control of this class and style; nothing for any other class.
// Button styles are tested in order: group (style & 7 == 7), check (& 3 == 3), radio (& 9 == 9),
// else push button; so the owner-drawn style 11 counts as a check box.
std::optional<SkinKind> ChooseSkinKind(std::string_view className, std::uint32_t style);

// "Static%d", "Picture%d", ... with the number of controls of that kind made before.
std::string DefaultControlName(SkinKind kind, int countBefore);

} // namespace skin
