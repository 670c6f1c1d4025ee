#pragma once
// Card images for the format tests: made, filled and judged by dosfstools and mtools, never by
// the code under test.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tripdesk::test {

struct ToolRun {
    int exitCode = -1;
    std::string output;   // standard output, and standard error unless kept apart
};

inline ToolRun RunTool(const QString& program, const QStringList& arguments, bool withErrors = true) {
    QProcess process;
    process.setProcessChannelMode(withErrors ? QProcess::MergedChannels : QProcess::SeparateChannels);
    process.start(program, arguments);
    process.waitForFinished(-1);
    const bool exited = process.exitStatus() == QProcess::NormalExit && process.error() != QProcess::FailedToStart;
    return {exited ? process.exitCode() : -1, process.readAllStandardOutput().toStdString()};
}

inline std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A card image of sizeBytes made with this FAT kind and label, holding a text file with marker
// in its data area (none when marker is empty). False when a tool failed.
inline bool MakeCardImage(const std::filesystem::path& image, std::uint64_t sizeBytes, int fatBits,
                          const std::string& label, const std::string& marker = {}) {
    std::filesystem::remove(image);
    std::ofstream(image, std::ios::binary).close();
    std::filesystem::resize_file(image, sizeBytes);
    const QString path = QString::fromStdString(image.string());
    if (RunTool("mkfs.fat", {"-F", QString::number(fatBits), "-n", QString::fromStdString(label), path}).exitCode != 0) {
        return false;
    }
    if (marker.empty()) return true;
    const std::filesystem::path text = image.string() + ".marker.txt";
    std::ofstream(text, std::ios::binary) << marker;
    const bool copied = RunTool("mcopy", {"-i", path, QString::fromStdString(text.string()), "::MARKER.TXT"}).exitCode == 0;
    std::filesystem::remove(text);
    return copied;
}

// What an outside judge says of a formatted image.
struct CardVerdict {
    bool fsckClean = false;
    std::string label;
    std::string fatKind;   // boot sector bytes 82..89
};

inline CardVerdict JudgeCardImage(const std::filesystem::path& image) {
    const QString path = QString::fromStdString(image.string());
    CardVerdict verdict;
    verdict.fsckClean = RunTool("fsck.fat", {"-n", path}).exitCode == 0;
    std::string label = RunTool("fatlabel", {path}, false).output;
    while (!label.empty() && (label.back() == '\n' || label.back() == ' ')) label.pop_back();
    verdict.label = label;
    const std::string bytes = ReadWhole(image);
    if (bytes.size() >= 90) verdict.fatKind = bytes.substr(82, 8);
    return verdict;
}

} // namespace tripdesk::test
