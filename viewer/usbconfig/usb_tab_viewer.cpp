#include "usbconfig/usb_tab_viewer.h"

namespace usbconfig {
namespace {

constexpr int kSortIds[] = {1142, 1143};
constexpr RadioField kRadios[] = {{kSortIds, &DeviceConfig::viewerSort, RadioRule::Index}};
constexpr int kSaveId = 7;
constexpr PageSpec kSpec{UsbTabViewer::kDialogId, 88, 91, kSaveId, kRadios, {}, false};

} // namespace

UsbTabViewer::UsbTabViewer(DeviceConfig& record, QWidget* parent) : UsbTabPage(kSpec, record, parent) {
    Create();
}

} // namespace usbconfig
