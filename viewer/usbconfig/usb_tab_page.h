#pragma once
// What the six configuration pages share: each is a child dialog of the USB tool window's tab
// control that edits one byte range of the shared record through its radio groups and lists.
// Loading (at creation) shows the record's fields and never changes the record; the page's Save
// button reads every control, zeroes the page's range, then writes the page's fields. Saving
// sends nothing. Tall pages scroll vertically. User-interface thread.

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

#include "platform/dialog.h"
#include "usbconfig/device_config.h"
#include "usbconfig/page_fields.h"

namespace platform {
class DropDownList;
class VerticalScroller;
}

namespace usbconfig {

struct PageSpec {
    int dialogId;
    std::size_t firstByte, lastByte;   // the record range the page owns, inclusive
    int saveId;                        // 0: the page has no Save button
    std::span<const RadioField> radios;
    std::span<const ListField> lists;
    bool scrolls;
};

class UsbTabPage : public platform::Dialog {
public:
    // A hidden child of parent made from the page's dialog template; each page class builds it
    // (Create) at the end of its constructor, which loads it from record.
    UsbTabPage(const PageSpec& page, DeviceConfig& record, QWidget* parent);

    const PageSpec& spec() const { return spec_; }
    // The members: a radio group's index as last read (at load or save), a list by its id.
    int RadioIndex(std::size_t group) const { return radioIndex_.at(group); }
    platform::DropDownList* List(int id) const;
    // Null on pages that do not scroll.
    platform::VerticalScroller* scroller() const { return scroller_; }

    // The Save button.
    void Save();

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override {}   // a page never hides itself
    bool OnCommand(int id, platform::UINT code) override;

    const DeviceConfig& record() const { return record_; }

    // The page's enable rules, once its controls show the record.
    virtual void OnLoaded() {}
    // Whether Save writes this radio group's field (two groups may share one field).
    virtual bool WritesGroup(std::size_t group) const { (void)group; return true; }
    // A button of the page was clicked (after the button itself changed).
    virtual void OnButtonClicked(int id) { (void)id; }

private:
    void Load();
    void ReadControls();
    void ShowRadioIndex(const RadioField& radio, int index);

    const PageSpec& spec_;
    DeviceConfig& record_;
    std::vector<int> radioIndex_;
    platform::VerticalScroller* scroller_ = nullptr;
};

} // namespace usbconfig
