#pragma once
// Turns a decoded video frame into the contract's picture: 640 x 480 in the display's 32-bit
// format (bytes B, G, R, 0xFF), whatever the recording's size.

#include <QImage>

struct AVFrame;
struct SwsContext;

namespace vexplayer {

class PictureConverter {
public:
    PictureConverter() = default;
    ~PictureConverter();
    PictureConverter(const PictureConverter&) = delete;
    PictureConverter& operator=(const PictureConverter&) = delete;

    // A null image when the frame cannot be converted.
    QImage convert(const AVFrame& frame);

private:
    SwsContext* scaler_ = nullptr;
};

} // namespace vexplayer
