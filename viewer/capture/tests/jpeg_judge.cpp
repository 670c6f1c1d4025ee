#include "jpeg_judge.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>

#include <QProcess>
#include <QString>
#include <QStringList>

namespace capture::testing {

BitmapHeader Picture24::Header() const {
    BitmapHeader header;
    header.width = width;
    header.height = height;
    header.imageSize = static_cast<std::uint32_t>(bytes.size());
    return header;
}

const std::uint8_t* Picture24::At(int x, int y) const {
    return bytes.data() + static_cast<std::size_t>(height - 1 - y) * Stride24(width) + static_cast<std::size_t>(x) * 3;
}

std::uint8_t* Picture24::At(int x, int y) {
    return const_cast<std::uint8_t*>(static_cast<const Picture24&>(*this).At(x, y));
}

Picture24 BlankPicture(int width, int height) {
    return Picture24{width, height, std::vector<std::uint8_t>(Stride24(width) * static_cast<std::size_t>(height), 0)};
}

Picture24 GradientPicture(int width, int height) {
    Picture24 picture = BlankPicture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = picture.At(x, y);
            p[0] = static_cast<std::uint8_t>((x + y) % 256);
            p[1] = static_cast<std::uint8_t>(255 * y / 480);
            p[2] = static_cast<std::uint8_t>(255 * x / 641);
        }
    return picture;
}

Picture24 NoisePicture(int width, int height, std::uint32_t seed) {
    Picture24 picture = BlankPicture(width, height);
    std::uint32_t state = seed;
    for (auto& byte : picture.bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return picture;
}

std::optional<Picture24> RecordingFrame(const std::string& path, int frameIndex) {
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-nostdin", "-i", QString::fromStdString(path), "-vf",
                            QString("select=eq(n\\,%1),scale=640:480,vflip").arg(frameIndex), "-vsync", "0",
                            "-frames:v", "1", "-pix_fmt", "bgr24", "-f", "rawvideo", "-"});
    if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitCode() != 0) return std::nullopt;
    const QByteArray raw = ffmpeg.readAllStandardOutput();
    Picture24 picture = BlankPicture(640, 480);
    if (static_cast<std::size_t>(raw.size()) != picture.bytes.size()) return std::nullopt;
    std::copy(raw.begin(), raw.end(), picture.bytes.begin());
    return picture;
}

bool WriteBmp(const Picture24& picture, const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary);
    auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xff));
    };
    const auto imageBytes = static_cast<std::uint32_t>(picture.bytes.size());
    out.write("BM", 2);
    put(14 + 40 + imageBytes, 4);
    put(0, 4);
    put(14 + 40, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(picture.width), 4);
    put(static_cast<std::uint32_t>(picture.height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(imageBytes, 4);
    for (int i = 0; i < 4; ++i) put(0, 4);
    out.write(reinterpret_cast<const char*>(picture.bytes.data()), static_cast<std::streamsize>(imageBytes));
    return static_cast<bool>(out.flush());
}

namespace {

// A binary PPM (P6, maxval 255) as djpeg writes it.
bool ParsePpm(const QByteArray& data, Decoded& decoded) {
    std::istringstream head(std::string(data.constData(), std::min<qsizetype>(data.size(), 64)));
    std::string magic;
    int maxValue = 0;
    head >> magic >> decoded.width >> decoded.height >> maxValue;
    if (!head || magic != "P6" || maxValue != 255 || decoded.width <= 0 || decoded.height <= 0) return false;
    const auto start = static_cast<qsizetype>(head.tellg()) + 1;   // one blank after the maximum
    const std::size_t bytes = static_cast<std::size_t>(decoded.width) * decoded.height * 3;
    if (static_cast<std::size_t>(data.size() - start) != bytes) return false;
    decoded.rgb.assign(data.begin() + start, data.end());
    return true;
}

} // namespace

Decoded DecodeWithDjpeg(const std::filesystem::path& jpeg) {
    Decoded decoded;
    QProcess djpeg;
    djpeg.start("djpeg", {"-pnm", QString::fromStdString(jpeg.string())});
    if (!djpeg.waitForFinished(60000)) {
        decoded.messages = "djpeg did not finish";
        return decoded;
    }
    decoded.messages = djpeg.readAllStandardError().toStdString();
    const bool parsed = ParsePpm(djpeg.readAllStandardOutput(), decoded);
    decoded.clean = parsed && djpeg.exitStatus() == QProcess::NormalExit && djpeg.exitCode() == 0 &&
                    decoded.messages.empty();
    return decoded;
}

double Psnr(const Picture24& original, const Decoded& decoded) {
    if (decoded.width != original.width || decoded.height != original.height) return 0.0;
    double squares = 0.0;
    for (int y = 0; y < original.height; ++y)
        for (int x = 0; x < original.width; ++x) {
            const std::uint8_t* bgr = original.At(x, y);
            const std::uint8_t* rgb = decoded.At(x, y);
            for (int c = 0; c < 3; ++c) {
                const double d = double(bgr[2 - c]) - double(rgb[c]);
                squares += d * d;
            }
        }
    const double mse = squares / (3.0 * original.width * original.height);
    if (mse == 0.0) return std::numeric_limits<double>::infinity();
    return 10.0 * std::log10(255.0 * 255.0 / mse);
}

std::map<std::string, std::string> PdfInfo(const std::filesystem::path& pdf) {
    std::map<std::string, std::string> fields;
    QProcess pdfinfo;
    pdfinfo.start("pdfinfo", {QString::fromStdString(pdf.string())});
    if (!pdfinfo.waitForFinished(60000) || pdfinfo.exitCode() != 0) return fields;
    for (const QByteArray& line : pdfinfo.readAllStandardOutput().split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0) fields[line.left(colon).trimmed().toStdString()] = line.mid(colon + 1).trimmed().toStdString();
    }
    return fields;
}

std::optional<std::pair<double, double>> PdfPageSize(const std::map<std::string, std::string>& info) {
    const auto size = info.find("Page size");
    double width = 0, height = 0;
    if (size == info.end() || std::sscanf(size->second.c_str(), "%lf x %lf", &width, &height) != 2) return std::nullopt;
    return std::pair{width, height};
}

} // namespace capture::testing
