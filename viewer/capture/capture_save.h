#pragma once
// Saving one channel of a capture: the chosen picture converted to a packed 24-bit bitmap and
// written by the JPEG encoder to folder + name (the rear one renamed). The settings window's
// capture button calls SaveChosenPicture after hiding itself.

#include <string>

#include "capture/capture_frames.h"

class QWidget;

namespace capture {

enum class CaptureSource : int { Front = 0, Rear = 1 };

inline constexpr const char* kCaptureFailedMessage = "캡쳐 파일을 저장하지 못했습니다.";

// The file the chosen picture goes to: folder + name, the rear's name renamed (never the folder).
std::string CapturePath(const CaptureFrames& frames, CaptureSource source, const std::string& folder);

// Writes the picture; false when there is no picture of 640 × 480 × 4 bytes or the file cannot be
// written. In one-channel mode the rear copy is empty and the rear choice saves the front one.
bool SaveChannel(const CaptureFrames& frames, CaptureSource source, const std::string& folder);

// SaveChannel, and on failure the message box with the message and the path; silent on success.
bool SaveChosenPicture(const CaptureFrames& frames, int captureSource, const std::string& folder,
                       QWidget* parent = nullptr);

} // namespace capture
