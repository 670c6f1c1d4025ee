#include "usbconfig/usb_tab_page.h"

#include <algorithm>

#include "platform/drop_down_list.h"
#include "platform/vertical_scroller.h"
#include "resources/resources.h"

namespace usbconfig {
namespace {

constexpr int kMinimumStep = 5;

// A line (also one wheel notch) is a twentieth of what is out of view, a page a tenth; at
// least 5 pixels each.
platform::ScrollSteps PageScrollSteps(int hidden) {
    return {std::max(kMinimumStep, hidden / 20), std::max(kMinimumStep, hidden / 10)};
}

} // namespace

UsbTabPage::UsbTabPage(const PageSpec& spec, DeviceConfig& record, QWidget* parent)
    : platform::Dialog(resources::Dialog(spec.dialogId), parent), spec_(spec), record_(record),
      radioIndex_(spec.radios.size(), -1) {
    hide();
}

platform::DropDownList* UsbTabPage::List(int id) const { return item<platform::DropDownList>(id); }

bool UsbTabPage::OnInitDialog() {
    for (const ListField& field : spec_.lists) {
        platform::DropDownList* list = List(field.id);
        for (const std::string& entry : ListEntries(field)) list->AddString(entry);
    }
    if (spec_.scrolls) scroller_ = new platform::VerticalScroller(this, dialogTemplate().height, &PageScrollSteps);
    Load();
    OnLoaded();
    return true;
}

void UsbTabPage::Load() {
    for (std::size_t group = 0; group < spec_.radios.size(); ++group) {
        const RadioField& radio = spec_.radios[group];
        radioIndex_[group] = RadioIndexOf(radio.rule, record_.*radio.field);
        ShowRadioIndex(radio, radioIndex_[group]);
    }
    for (const ListField& field : spec_.lists) List(field.id)->SetCurSel(ListPositionOf(field, record_));
}

void UsbTabPage::ShowRadioIndex(const RadioField& radio, int index) {
    for (std::size_t i = 0; i < radio.ids.size(); ++i) CheckDlgButton(radio.ids[i], static_cast<int>(i) == index);
}

void UsbTabPage::ReadControls() {
    for (std::size_t group = 0; group < spec_.radios.size(); ++group) {
        const std::span<const int> ids = spec_.radios[group].ids;
        const auto checked = std::find_if(ids.begin(), ids.end(), [this](int id) { return IsDlgButtonChecked(id); });
        radioIndex_[group] = checked == ids.end() ? -1 : static_cast<int>(checked - ids.begin());
    }
}

void UsbTabPage::Save() {
    if (spec_.saveId == 0) return;   // a page without a Save button owns no range
    ReadControls();
    ZeroRange(record_, spec_.firstByte, spec_.lastByte);
    for (std::size_t group = 0; group < spec_.radios.size(); ++group) {
        if (!WritesGroup(group)) continue;
        const RadioField& radio = spec_.radios[group];
        record_.*radio.field = RadioValueOf(radio.rule, radioIndex_[group]);
    }
    for (const ListField& field : spec_.lists) {
        const platform::DropDownList* list = List(field.id);
        WriteListField(field, list->GetCurSel(), list->SelectedText(), record_);
    }
}

void UsbTabPage::OnOK() {
    // Id 1 is the Save button on most pages; Enter never gets here (the window swallows it).
    if (spec_.saveId == platform::IDOK) Save();
}

bool UsbTabPage::OnCommand(int id, platform::UINT code) {
    if (code != platform::BN_CLICKED) return false;
    if (spec_.saveId != 0 && id == spec_.saveId)
        Save();
    else
        OnButtonClicked(id);
    return true;
}

} // namespace usbconfig
