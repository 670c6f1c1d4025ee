// clipcopy [--front] [--rear] [--channels 1|2] FOLDER RECORDING
// Runs the viewer's clip export on RECORDING into FOLDER, given as the viewer keeps it: ending
// in "/", or "" for the current directory. Prints each destination with its result, then the
// text the viewer shows; exits 0 only when every requested copy was written.

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/clip_export.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kCopyFailed = 1;

struct Options {
    bool front = false;
    bool rear = false;
    int channels = 2;
    std::string folder;
    std::string recording;
};

void PrintUsage() {
    std::fprintf(stderr,
                 "usage: clipcopy [--front] [--rear] [--channels 1|2] FOLDER RECORDING\n"
                 "  FOLDER ends in / or is \"\" (the current directory)\n");
}

std::optional<Options> Parse(int argc, char** argv) {
    Options options;
    std::vector<std::string> operands;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--front") {
            options.front = true;
        } else if (argument == "--rear") {
            options.rear = true;
        } else if (argument == "--channels" && i + 1 < argc) {
            const std::string value = argv[++i];
            if (value != "1" && value != "2") return std::nullopt;
            options.channels = value == "1" ? 1 : 2;
        } else if (argument.starts_with("--")) {
            return std::nullopt;
        } else {
            operands.push_back(argument);
        }
    }
    if (operands.size() != 2) return std::nullopt;
    options.folder = operands[0];
    options.recording = operands[1];
    if (!options.folder.empty() && !options.folder.ends_with('/')) return std::nullopt;
    return options;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = Parse(argc, argv);
    if (!options) {
        PrintUsage();
        return kUsageError;
    }
    const catalogue::ClipExport exporter(options->recording, options->folder, options->channels);
    const std::vector<catalogue::ClipCopy> copies = exporter.Run(options->front, options->rear);
    for (const catalogue::ClipCopy& copy : copies) std::printf("%s\n", catalogue::Describe(copy).c_str());
    std::printf("%s\n", catalogue::ClipExportMessage(copies));
    return catalogue::AllWritten(copies) ? 0 : kCopyFailed;
}
