// The GIF89a writer, judged by Qt's own GIF reader: the header, and every pixel back as written,
// through the code-size steps and the table resets of long, noisy pictures.
#include "gif_writer.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <random>

namespace skingen {
namespace {

QImage Decoded(const QByteArray& gif) {
    QBuffer buffer;
    buffer.setData(gif);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    QImage image = reader.read();
    EXPECT_FALSE(image.isNull()) << reader.errorString().toStdString();
    return image.convertToFormat(QImage::Format_RGB32);
}

void ExpectSamePixels(const QImage& expected, const QImage& actual) {
    ASSERT_EQ(actual.size(), expected.size());
    int wrong = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if ((expected.pixel(x, y) | 0xFF000000) != actual.pixel(x, y) && ++wrong < 5)
                ADD_FAILURE() << "pixel " << x << "," << y;
    EXPECT_EQ(wrong, 0);
}

// Pixels from a palette of `colours` entries, in runs of random length.
QImage Noise(int width, int height, int colours, unsigned seed, int longestRun) {
    std::mt19937 random(seed);
    std::vector<QRgb> palette;
    for (int i = 0; i < colours; ++i)
        palette.push_back(qRgb(static_cast<int>(random() % 256), static_cast<int>(random() % 256), i % 256));
    QImage image(width, height, QImage::Format_RGB32);
    QRgb current = palette[0];
    int left = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (left-- <= 0) {
                current = palette[random() % palette.size()];
                left = static_cast<int>(random() % longestRun);
            }
            image.setPixel(x, y, current);
        }
    return image;
}

TEST(GifWriter, WritesAGif89aWithItsSizeAndTrailer) {
    QImage image(420, 260, QImage::Format_RGB32);
    image.fill(qRgb(226, 234, 244));
    const QByteArray gif = EncodeGif89a(image);
    ASSERT_GT(gif.size(), 13 + 768);
    EXPECT_EQ(gif.left(6), QByteArray("GIF89a"));
    EXPECT_EQ(static_cast<unsigned char>(gif[6]) | static_cast<unsigned char>(gif[7]) << 8, 420);
    EXPECT_EQ(static_cast<unsigned char>(gif[8]) | static_cast<unsigned char>(gif[9]) << 8, 260);
    EXPECT_EQ(gif.back(), ';');
    EXPECT_LT(gif.size(), 4000) << "one colour compresses well";
    ExpectSamePixels(image, Decoded(gif));
}

TEST(GifWriter, KeepsEveryPixelOfPicturesOfAtMost256Colours) {
    ExpectSamePixels(Noise(1, 1, 1, 1, 1), Decoded(EncodeGif89a(Noise(1, 1, 1, 1, 1))));
    for (const auto& [colours, run] : {std::pair{2, 40}, std::pair{17, 6}, std::pair{256, 1}, std::pair{256, 3}}) {
        const QImage image = Noise(300, 211, colours, static_cast<unsigned>(colours * 31 + run), run);
        SCOPED_TRACE(colours);
        ExpectSamePixels(image, Decoded(EncodeGif89a(image)));
    }
}

TEST(GifWriter, MapsPicturesOfMoreColoursToTheNearestTableColour) {
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) image.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) * 2));
    const QImage back = Decoded(EncodeGif89a(image));
    ASSERT_EQ(back.size(), image.size());
    for (int y = 0; y < 64; y += 7)
        for (int x = 0; x < 64; x += 5) {
            const QRgb a = image.pixel(x, y);
            const QRgb b = back.pixel(x, y);
            EXPECT_LE(std::abs(qRed(a) - qRed(b)), 26);
            EXPECT_LE(std::abs(qGreen(a) - qGreen(b)), 22);
            EXPECT_LE(std::abs(qBlue(a) - qBlue(b)), 26);
        }
    EXPECT_EQ(back.pixel(63, 0) | 0xFF000000, qRgb(255, 0, 102));
}

} // namespace
} // namespace skingen
