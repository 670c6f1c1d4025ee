#include "skin/skin_kind.h"

#include "platform/number_text.h"

namespace skin {
namespace {

constexpr std::string_view kNamePrefixes[kSkinKindCount] = {
    "Static", "Picture", "Group", "Check", "Radio", "Btn",
    "Edit", "ListBox", "Combo", "Progress", "Slider", "ListCtrl",
};

bool HasBits(std::uint32_t style, std::uint32_t bits) { return (style & bits) == bits; }

} // namespace

std::optional<SkinKind> ChooseSkinKind(std::string_view className, std::uint32_t style) {
    if (className == "Static") return HasBits(style & 7, 7) ? SkinKind::Picture : SkinKind::Static;
    if (className == "Button") {
        if (HasBits(style & 7, 7)) return SkinKind::Group;
        if (HasBits(style, 3)) return SkinKind::Check;
        if (HasBits(style, 9)) return SkinKind::Radio;
        return SkinKind::Button;
    }
    if (className == "Edit") return SkinKind::Edit;
    if (className == "ListBox") return SkinKind::ListBox;
    if (className == "ComboBox") return SkinKind::Combo;
    if (className.find("_progress") != std::string_view::npos) return SkinKind::Progress;
    if (className.find("_trackbar") != std::string_view::npos) return SkinKind::Slider;
    if (className.find("SysListView32") != std::string_view::npos) return SkinKind::ListView;
    return std::nullopt;
}

std::string DefaultControlName(SkinKind kind, int countBefore) {
    return std::string(kNamePrefixes[static_cast<int>(kind)]) + platform::IntegerText(countBefore);
}

} // namespace skin
