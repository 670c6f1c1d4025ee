#include <gtest/gtest.h>

#include <string>

#include "command.h"
#include "command_queue.h"
#include "host_binding.h"
#include "start_options.h"

namespace vexplayer {
namespace {

TEST(CommandParse, TakesEveryCommandOfTheContract) {
    const auto load = ParseCommand("tarn_loadfile \"/card/a b.mp4\" \"/card/c.mp4\"");
    ASSERT_TRUE(load);
    EXPECT_EQ(std::get<LoadFiles>(*load).channel1, "/card/a b.mp4");
    EXPECT_EQ(std::get<LoadFiles>(*load).channel2, "/card/c.mp4");
    const auto oneChannel = ParseCommand("tarn_loadfile \"D:/rec/a.mp4\" \"\"");
    ASSERT_TRUE(oneChannel);
    EXPECT_EQ(std::get<LoadFiles>(*oneChannel).channel2, "");

    EXPECT_TRUE(std::holds_alternative<TogglePause>(*ParseCommand("pause")));
    EXPECT_TRUE(std::holds_alternative<StopPlayback>(*ParseCommand("pt_step 1 1")));
    EXPECT_TRUE(std::holds_alternative<Quit>(*ParseCommand("quit")));

    const Seek relative = std::get<Seek>(*ParseCommand("seek -1.00"));
    EXPECT_DOUBLE_EQ(relative.value, -1.0);
    EXPECT_EQ(relative.mode, SeekMode::Relative);
    const Seek absolute = std::get<Seek>(*ParseCommand("seek 12.50 2"));
    EXPECT_DOUBLE_EQ(absolute.value, 12.5);
    EXPECT_EQ(absolute.mode, SeekMode::Absolute);

    EXPECT_EQ(std::get<ChangeSpeed>(*ParseCommand("speed_incr 0.50")).change, SpeedChange::Add);
    EXPECT_EQ(std::get<ChangeSpeed>(*ParseCommand("speed_mult 2.00")).change, SpeedChange::Multiply);
    const ChangeSpeed set = std::get<ChangeSpeed>(*ParseCommand("speed_set 0.25 2"));
    EXPECT_EQ(set.change, SpeedChange::Set);
    EXPECT_DOUBLE_EQ(set.value, 0.25);

    const ChangeVolume volume = std::get<ChangeVolume>(*ParseCommand("volume 37 2"));
    EXPECT_TRUE(volume.absolute);
    EXPECT_DOUBLE_EQ(volume.value, 37);
    EXPECT_FALSE(std::get<ChangeVolume>(*ParseCommand("volume -5")).absolute);
    // A line as typed into playerprobe.
    EXPECT_TRUE(ParseCommand("pause\r\n"));
}

TEST(CommandParse, RefusesWhatItCannotReadExactly) {
    for (const char* text : {
             "", "   ", "jump 3", "PAUSE", "pause now", "seek", "seek abc", "seek 1.0x", "seek nan", "seek inf",
             "seek 1 7", "seek 1 2 3", "volume", "volume 50 abs", "speed_set", "speed_mult 2 2",
             "tarn_loadfile", "tarn_loadfile \"a.mp4\"", "tarn_loadfile a.mp4 b.mp4",
             "tarn_loadfile \"a.mp4\" \"b.mp4\" \"c.mp4\"",
             "tarn_loadfile \"a\"b.mp4\" \"c.mp4\"",       // a path holding a quote
             "tarn_loadfile \"a.mp4\" \"b.mp4",            // the quote does not close
             "tarn_loadfile \"a.mp4\"\"b.mp4\"",           // no blank between the paths
             "tar\"n_loadfile \"a\" \"b\"", "\"pause\"", "quit now",
         })
        EXPECT_FALSE(ParseCommand(text)) << text;
}

TEST(CommandSubmit, RefusesCommandsThatDoNotFitTheBuffer) {
    auto queue = std::make_shared<CommandQueue>(std::make_shared<Wakeup>());
    HostBinding& binding = HostBinding::instance();
    ASSERT_TRUE(binding.attach(queue));
    EXPECT_FALSE(binding.attach(queue)) << "one player at a time";

    const std::string prefix = "tarn_loadfile \"";
    const std::string middle = "\" \"";
    const std::string fits = prefix + std::string(255 - prefix.size() - middle.size() - 1, 'a') + middle + "\"";
    ASSERT_EQ(fits.size(), 255u);
    EXPECT_TRUE(binding.submit(fits.c_str()));
    const std::string tooLong = prefix + std::string(300, 'a') + middle + "b\"";
    EXPECT_FALSE(binding.submit(tooLong.c_str()));
    // Exactly the buffer's size without a NUL inside it: not read past it.
    std::string noTerminator(kCommandBufferSize, ' ');
    noTerminator.replace(0, 5, "pause");
    EXPECT_FALSE(binding.submit(noTerminator.c_str()));
    EXPECT_FALSE(binding.submit(nullptr));
    EXPECT_FALSE(binding.submit("no such command"));

    const auto taken = queue->takeAll();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<LoadFiles>(taken[0]));

    binding.detach();
    EXPECT_FALSE(binding.submit("pause")) << "no player runs";
}

TEST(StartArguments, TakeTheViewersSevenAndTheBenchmarksOptions) {
    std::string viewer[] = {"mplayer", "-vo", "directx:noaccel", "-autosync", "0", "/card/front.mp4", ""};
    char* viewerArgv[7];
    for (int i = 0; i < 7; ++i) viewerArgv[i] = viewer[i].data();
    const StartOptions normal = ParseStartOptions(7, viewerArgv);
    EXPECT_EQ(normal.channel1, "/card/front.mp4");
    EXPECT_EQ(normal.channel2, "");
    EXPECT_TRUE(normal.pictures && normal.paced && normal.sound);

    std::string bench[] = {"mplayer", "-benchmark", "-vo", "null", "-nosound", "f.mp4", "r.mp4"};
    char* benchArgv[7];
    for (int i = 0; i < 7; ++i) benchArgv[i] = bench[i].data();
    const StartOptions fast = ParseStartOptions(7, benchArgv);
    EXPECT_EQ(fast.channel1, "f.mp4");
    EXPECT_EQ(fast.channel2, "r.mp4");
    EXPECT_FALSE(fast.pictures || fast.paced || fast.sound);

    EXPECT_EQ(ParseStartOptions(0, nullptr).channel1, "");
    char* truncated[] = {viewer[0].data(), viewer[1].data()};   // "-vo" without its value
    EXPECT_EQ(ParseStartOptions(2, truncated).channel1, "");
}

} // namespace
} // namespace vexplayer
