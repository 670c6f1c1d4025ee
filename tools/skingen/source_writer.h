#pragma once
// Writes the skin as a C++ source file: the PNG bytes of each picture as an array and the
// tables the resources library walks (declared in resources/src/skin_data.h).

#include <QString>
#include <vector>

#include "skin_renderer.h"

namespace skingen {

// Replaces the file atomically; false (with a message on standard error) on failure.
bool WriteSkinSource(const QString& path, const std::vector<RenderedBitmap>& bitmaps,
                     const std::vector<RenderedIcon>& icons);

QByteArray EncodePng(const QImage& image);

// Appends "const unsigned char NAME[] = {...};" holding the bytes.
void AppendArray(QByteArray& out, const QByteArray& name, const QByteArray& bytes);
// Replaces the file atomically; false (with a message on standard error) on failure.
bool ReplaceFile(const QString& path, const QByteArray& bytes);

} // namespace skingen
