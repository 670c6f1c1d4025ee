#pragma once
// Control ids of Clockfix's main window (template 102) and its progress window (template 158),
// the system-menu command and the string ids they show.

#include <array>

namespace clockfix {

inline constexpr int IDC_HEADING = 1058;
inline constexpr int IDC_CLOSE = 1037;
inline constexpr int IDC_DRIVE_CAPTION = 1053;
inline constexpr int IDC_DRIVE_LIST = 1018;
inline constexpr int IDC_CLOCK_GROUP = 1065;
// Year, month, day, hour, minute, second.
inline constexpr std::array<int, 6> kClockBoxIds = {1063, 1064, 1069, 1070, 1071, 1072};
inline constexpr int IDC_SET_TIME = 1054;
inline constexpr int IDC_FORMAT = 1020;
inline constexpr int IDC_APPLY = 1026;

// The three buttons ("고", "중", "저") of each recorder value.
inline constexpr std::array<int, 3> kQualityButtons = {1015, 1016, 1021};
inline constexpr std::array<int, 3> kSensitivityButtons = {1012, 1013, 1014};
inline constexpr std::array<int, 3> kSoundButtons = {1017, 1022, 1028};
inline constexpr std::array<int, 3> kFrameButtons = {1029, 1030, 1031};
inline constexpr std::array<std::array<int, 3>, 4> kValueGroups = {kQualityButtons, kSensitivityButtons, kSoundButtons,
                                                                   kFrameButtons};

// The system-menu command that opens the About box.
inline constexpr int IDM_ABOUTBOX = 16;

// The progress window (template 158): its bar and label.
inline constexpr int IDC_PROGRESS_BAR = 1057;
inline constexpr int IDC_PROGRESS_LABEL = 1058;

inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDS_FORMAT_QUESTION = 103;
inline constexpr int IDS_PROGRESS = 121;
inline constexpr int IDS_FORMAT_DONE = 125;
inline constexpr int IDS_FORMAT_ERROR = 126;
inline constexpr int IDS_FORMATTING = 127;
inline constexpr int IDS_DONE = 128;
inline constexpr int IDS_INVALID_DISK = 129;
inline constexpr int IDS_FORMAT_TITLE = 133;

// The caption of every message box Clockfix shows.
inline constexpr const char* kMessageCaption = "Clockfix";
// The named mutex that keeps Clockfix to one instance.
inline constexpr const char* kInstanceMutex = "TRIPDESK_APP";

} // namespace clockfix
