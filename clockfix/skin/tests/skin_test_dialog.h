#pragma once
// A skinned dialog over a test template with one control of each template kind, recording the
// commands it receives.

#include <utility>
#include <vector>

#include "platform/dialog_template.h"
#include "skin/skin_dialog.h"

namespace skin::test {

enum TestIds {
    kLabel = 100,
    kPicture,
    kGroupA,
    kGroupB,
    kCheck,
    kOwnerDrawn,
    kRadioA1,
    kRadioA2,
    kRadioB1,
    kRadioB2,
    kHiddenPush,
    kEdit,
    kList,
    kProgress,
    kTabs,
    kCombo,
};

inline constexpr platform::ControlTemplate kTestControls[] = {
    {kLabel, platform::ControlKind::Label, "이름", 10, 10, 80, 20},
    {kPicture, platform::ControlKind::Picture, "", 100, 10, 40, 40},
    {kGroupA, platform::ControlKind::GroupBox, "A", 10, 60, 140, 70},
    {kGroupB, platform::ControlKind::GroupBox, "B", 160, 60, 140, 70},
    {kCheck, platform::ControlKind::CheckBox, "check", 10, 140, 80, 20},
    {kOwnerDrawn, platform::ControlKind::BitmapButton, "", 100, 140, 40, 20},
    {kRadioA1, platform::ControlKind::RadioButton, "고", 20, 80, 40, 20, platform::kStyleGroup},
    {kRadioA2, platform::ControlKind::RadioButton, "중", 20, 100, 40, 20},
    {kRadioB1, platform::ControlKind::RadioButton, "고", 170, 80, 40, 20, platform::kStyleGroup},
    {kRadioB2, platform::ControlKind::RadioButton, "중", 170, 100, 40, 20},
    {kHiddenPush, platform::ControlKind::PushButton, "적용", 200, 140, 60, 24,
     platform::kStyleHidden | platform::kStyleDisabled},
    {kEdit, platform::ControlKind::Edit, "2011년", 10, 170, 100, 24},
    {kList, platform::ControlKind::CheckList, "", 120, 170, 100, 60, platform::kStyleNotify},
    {kProgress, platform::ControlKind::ProgressBar, "", 10, 240, 200, 20},
    {kTabs, platform::ControlKind::TabControl, "", 230, 170, 60, 60},
    {kCombo, platform::ControlKind::DropDownList, "", 215, 240, 100, 24},
};
inline constexpr platform::DialogTemplate kTestTemplate = {
    9100, 320, 280, "skin", "Gulim", 9, platform::kDialogPopup, kTestControls};

class TestSkinDialog : public SkinDialog {
public:
    TestSkinDialog() : SkinDialog(kTestTemplate) {}
    std::vector<std::pair<int, platform::UINT>> commands;
    int layouts = 0;

protected:
    bool OnCommand(int id, platform::UINT code) override {
        commands.emplace_back(id, code);
        return true;
    }
    void OnLayoutControls() override { ++layouts; }
};

} // namespace skin::test
