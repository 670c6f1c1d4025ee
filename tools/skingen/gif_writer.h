#pragma once
// A GIF89a writer, since Qt reads GIF but cannot write it: one image, a global colour table of
// 256 entries, LZW-compressed pixels. Images of at most 256 colours keep every pixel exactly;
// others are mapped to the nearest colour of a fixed 6 x 7 x 6 table.

#include <QByteArray>
#include <QImage>

namespace skingen {

QByteArray EncodeGif89a(const QImage& image);

} // namespace skingen
