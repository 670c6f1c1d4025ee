#pragma once
// String-table ids of Clockfix's messages about the card's files.

namespace card {

inline constexpr int kSettingsChangedMessage = 131;   // "설정치가 변경되었습니다."
inline constexpr int kInvalidDateTimeMessage = 136;   // "잘못된 날짜/시간입니다"

} // namespace card
