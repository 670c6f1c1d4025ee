#include "capture/capture_save.h"

#include "capture/capture_name.h"
#include "capture/frame_bitmap.h"
#include "capture/jpeg_encoder.h"
#include "platform/dialogs.h"
#include "resources/resources.h"

namespace capture {

std::string CapturePath(const CaptureFrames& frames, CaptureSource source, const std::string& folder) {
    return folder + (source == CaptureSource::Rear ? RearCaptureName(frames.name) : frames.name);
}

bool SaveChannel(const CaptureFrames& frames, CaptureSource source, const std::string& folder) {
    const std::vector<std::uint8_t>& picture =
        source == CaptureSource::Rear && (frames.twoChannel || !frames.rear.empty()) ? frames.rear : frames.front;
    const std::optional<PackedBitmap> bitmap = ToPackedBitmap(picture);
    if (!bitmap) return false;
    JpegEncoder encoder;
    return encoder.SetImage(bitmap->header, bitmap->rows.data(), bitmap->rows.size()) &&
           encoder.EncodeToFile(CapturePath(frames, source, folder));
}

bool SaveChosenPicture(const CaptureFrames& frames, int captureSource, const std::string& folder, QWidget* parent) {
    const CaptureSource source = captureSource == 1 ? CaptureSource::Rear : CaptureSource::Front;
    if (SaveChannel(frames, source, folder)) return true;
    platform::MessageBox(parent, std::string(kCaptureFailedMessage) + "\n" + CapturePath(frames, source, folder),
                         resources::String(resources::kAppTitleString), platform::MB_OK);
    return false;
}

} // namespace capture
