#include <array>

#include "dialog_groups.h"
#include "resources/resources.h"

namespace resources::dialogs {
namespace {

constexpr ControlTemplate kFilesOpenControls[] = {
    {1242, kGroupBox, "", 10, 6, 335, 64},
    {1243, kLabel, "[디렉토리 경로]", 20, 20, 160, 16},
    {1244, kEdit, "", 20, 40, 205, 22, platform::kStyleReadOnly},
    {1245, kPushButton, "디렉토리선택", 233, 39, 102, 24},
    {1246, kTab, "", 10, 78, 335, 276},
    {1247, kPushButton, "파일 추가", 150, 366, 92, 28},
    {kIdCancel, kPushButton, "닫기", 252, 366, 92, 28},
};

// The list pages fill the tab control's page area (below its tabs) of the file-open window.
constexpr int kPageWidth = 325;
constexpr int kPageHeight = 236;

constexpr std::array<ControlTemplate, 6> ListPageControls(int selectAllLabelId, int counterId,
                                                          std::uint32_t listStyle) {
    return {{
        {1077, kCheckList, "", 6, 6, kPageWidth - 12, 196, listStyle},
        {1248, kCheckBox, "", 8, 210, 16, 20},
        {selectAllLabelId, kLabel, "Select All", 28, 212, 90, 16},
        {counterId, kLabel, "", 195, 212, 120, 16},
        {kIdOk, kPushButton, "OK", 230, 6, 40, 20, kHidden},
        {kIdCancel, kPushButton, "Cancel", 274, 6, 40, 20, kHidden},
    }};
}

constexpr auto kInfinityPageControls = ListPageControls(1249, 1250, platform::kStyleNone);
constexpr auto kEventPageControls = ListPageControls(1252, 1253, platform::kStyleNotify);

constexpr DialogTemplate kCatalogueDialogs[] = {
    {296, 355, 404, "파일 열기", "MS Shell Dlg", 8, platform::kDialogCaption, kFilesOpenControls, &Bitmap},
    {297, kPageWidth, kPageHeight, "", "MS Shell Dlg", 8, platform::kDialogChild, kInfinityPageControls, &Bitmap},
    {298, kPageWidth, kPageHeight, "", "MS Shell Dlg", 8, platform::kDialogChild, kEventPageControls, &Bitmap},
};

} // namespace

std::span<const DialogTemplate> CatalogueDialogs() {
    return kCatalogueDialogs;
}

} // namespace resources::dialogs
