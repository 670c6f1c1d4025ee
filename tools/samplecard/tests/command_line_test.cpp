#include "samplecard/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace samplecard {
namespace {

CommandLine parse(std::vector<std::string_view> arguments) { return parseCommandLine(arguments); }

TEST(CommandLine, OptionsInEitherFormAndOrder) {
  const CommandLine defaults = parse({"card"});
  ASSERT_EQ(defaults.action, CommandLine::Action::Generate);
  EXPECT_EQ(defaults.folder, "card");
  EXPECT_EQ(defaults.options.width, 640);
  EXPECT_EQ(defaults.options.height, 480);
  EXPECT_EQ(defaults.options.seconds, 6);
  EXPECT_EQ(defaults.options.hemisphere, Hemisphere::NorthEast);

  const CommandLine full =
      parse({"--size", "1920x1080", "--seconds=2", "out/card", "--hemisphere", "sw"});
  ASSERT_EQ(full.action, CommandLine::Action::Generate) << full.error;
  EXPECT_EQ(full.folder, "out/card");
  EXPECT_EQ(full.options.width, 1920);
  EXPECT_EQ(full.options.height, 1080);
  EXPECT_EQ(full.options.seconds, 2);
  EXPECT_EQ(full.options.hemisphere, Hemisphere::SouthWest);
  EXPECT_EQ(full.options.frames(), 60);
  EXPECT_EQ(full.options.entries(), 20);
  // Without a rear size the rear files take the card's size.
  EXPECT_EQ(full.options.pictureSize(ChannelRole::Rear).width, 1920);

  const CommandLine mixed = parse({"card", "--size", "1920x1080", "--rear-size=1280x720"});
  ASSERT_EQ(mixed.action, CommandLine::Action::Generate) << mixed.error;
  EXPECT_EQ(mixed.options.pictureSize(ChannelRole::Front).width, 1920);
  EXPECT_EQ(mixed.options.pictureSize(ChannelRole::Single).height, 1080);
  EXPECT_EQ(mixed.options.pictureSize(ChannelRole::Rear).width, 1280);
  EXPECT_EQ(mixed.options.pictureSize(ChannelRole::Rear).height, 720);

  EXPECT_EQ(parse({"card", "--help"}).action, CommandLine::Action::Help);
  EXPECT_EQ(parse({"-h"}).action, CommandLine::Action::Help);
  for (const char* option : {"--size", "--rear-size", "--seconds", "--hemisphere"})
    EXPECT_NE(usageText().find(option), std::string::npos) << option;
}

TEST(CommandLine, BadValuesAreRefusedWithAReason) {
  const std::vector<std::vector<std::string_view>> bad{
      {},
      {"a", "b"},
      {"card", "--size", "641x480"},
      {"card", "--size", "640x"},
      {"card", "--size", "640*480"},
      {"card", "--size", "99999999999x480"},
      {"card", "--size", "32x32"},
      {"card", "--size=-640x480"},
      {"card", "--rear-size", "1281x720"},
      {"card", "--rear-size", "16x16"},
      {"card", "--seconds", "0"},
      {"card", "--seconds", "3601"},
      {"card", "--seconds", "2s"},
      {"card", "--seconds"},
      {"card", "--hemisphere", "south"},
      {"card", "--colour", "red"},
  };
  for (const auto& arguments : bad) {
    const CommandLine line = parse(arguments);
    EXPECT_EQ(line.action, CommandLine::Action::Error) << ::testing::PrintToString(arguments);
    EXPECT_FALSE(line.error.empty());
  }
}

}  // namespace
}  // namespace samplecard
