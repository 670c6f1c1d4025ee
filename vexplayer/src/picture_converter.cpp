#include "picture_converter.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include "contract/vexplayer_contract.h"

namespace vexplayer {

PictureConverter::~PictureConverter() { sws_freeContext(scaler_); }

QImage PictureConverter::convert(const AVFrame& frame) {
    const auto format = static_cast<AVPixelFormat>(frame.format);
    if (frame.width <= 0 || frame.height <= 0 || !av_pix_fmt_desc_get(format)) return {};
    scaler_ = sws_getCachedContext(scaler_, frame.width, frame.height, format, kFrameWidth, kFrameHeight,
                                   AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!scaler_) return {};
    QImage picture(kFrameWidth, kFrameHeight, QImage::Format_RGB32);
    if (picture.isNull()) return {};
    std::uint8_t* planes[4] = {picture.bits(), nullptr, nullptr, nullptr};
    int strides[4] = {static_cast<int>(picture.bytesPerLine()), 0, 0, 0};
    if (sws_scale(scaler_, frame.data, frame.linesize, 0, frame.height, planes, strides) != kFrameHeight)
        return {};
    return picture;
}

} // namespace vexplayer
