// playerprobe FRONT [REAR]: see probe_options.cpp for the options.

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern "C" {
#include <libavutil/log.h>
}

#include "platform/library.h"
#include "platform/messages.h"
#include "probe_host.h"

namespace {

using namespace vexplayer;

struct PlayerEntries {
    VelmoFn velmo = nullptr;
    SetInstFn setInst = nullptr;
    SetWFn setW = nullptr;
    CmdDirectFn command = nullptr;
};

std::optional<PlayerEntries> LoadPlayer() {
    platform::HMODULE module = platform::LoadLibraryA(kLibraryName);
    if (!module) return std::nullopt;
    PlayerEntries entries;
    entries.velmo = reinterpret_cast<VelmoFn>(platform::GetProcAddress(module, kExportVelmo));
    entries.setInst = reinterpret_cast<SetInstFn>(platform::GetProcAddress(module, kExportSetInst));
    entries.setW = reinterpret_cast<SetWFn>(platform::GetProcAddress(module, kExportSetW));
    entries.command = reinterpret_cast<CmdDirectFn>(platform::GetProcAddress(module, kExportCmdDirect));
    if (!entries.velmo || !entries.setInst || !entries.setW || !entries.command) return std::nullopt;
    return entries;
}

// The seven arguments the viewer passes, or the benchmark's: no pacing, no pictures, no sound.
std::vector<std::string> PlayerArguments(const playerprobe::ProbeOptions& options) {
    if (options.benchmark) return {"mplayer", "-benchmark", "-vo", "null", "-nosound", options.front, options.rear};
    return {kVelmoArg0, kVelmoArg1, kVelmoArg2, kVelmoArg3, kVelmoArg4, options.front, options.rear};
}

void UseOffscreenWithoutDisplay() {
    if (std::getenv("QT_QPA_PLATFORM") || std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY")) return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

} // namespace

int main(int argc, char** argv) {
    const auto parsed = playerprobe::ParseProbeOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        if (parsed.error.empty()) {
            std::fputs(playerprobe::ProbeUsage().c_str(), stdout);
            return 0;
        }
        std::fprintf(stderr, "playerprobe: %s\n\n%s", parsed.error.c_str(), playerprobe::ProbeUsage().c_str());
        return 2;
    }
    const playerprobe::ProbeOptions& options = *parsed.options;
    av_log_set_level(AV_LOG_FATAL);   // damaged files are expected here; their details are noise
    UseOffscreenWithoutDisplay();
    QApplication app(argc, argv);

    const auto player = LoadPlayer();
    if (!player) {
        std::fprintf(stderr, "playerprobe: %s: %s\n", kLibraryName, platform::LastLibraryError().c_str());
        return 1;
    }
    playerprobe::ProbeHost host(options);
    host.createWindows();
    host.setCommandEntry(player->command);
    player->setInst(&host);
    player->setW(&playerprobe::ProbeHost::Callback);

    std::vector<std::string> arguments = PlayerArguments(options);
    std::thread playerThread([&] {
        std::vector<char*> argvPointers;
        for (std::string& argument : arguments) argvPointers.push_back(argument.data());
        host.markStart();
        player->velmo(static_cast<int>(argvPointers.size()), argvPointers.data());
        // exit, not quit: quit asks the windows, and platform windows refuse to close.
        platform::PostToUiThread([] { QCoreApplication::exit(0); });
    });
    // Never joined: it may sit in a read of standard input when the player has exited.
    std::thread([command = player->command] {
        for (std::string line; std::getline(std::cin, line);) command(line.c_str());
    }).detach();

    app.exec();
    playerThread.join();
    host.printBenchmark();
    return host.playerExited() ? 0 : 1;
}
