// The clock file on a real FAT32 volume made by mkfs.fat as the recorder formats its cards. FAT
// cannot be mounted here, so the file is written to a plain folder and copied in with mcopy; the
// volume then holds the 19 bytes and passes fsck.fat.
#include "card/clock_file.h"

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "card_folder.h"

namespace card {
namespace {

namespace fs = std::filesystem;

struct CommandResult {
    int status = -1;
    std::string output;
};

CommandResult RunCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return result;
    std::array<char, 256> chunk{};
    for (std::size_t n; (n = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0;) result.output.append(chunk.data(), n);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool HasProgram(const std::string& name) { return RunCommand("command -v " + name).status == 0; }

TEST(FatImageTest, TheClockFileLandsWholeOnAFat32Card) {
    for (const char* program : {"mkfs.fat", "fsck.fat", "mcopy", "mtype"}) {
        if (!HasProgram(program)) GTEST_SKIP() << program << " is missing; run scripts/bootstrap";
    }
    const fs::path work = tripdesk::test::FreshFolder("fat-image");
    const std::string image = (work / "card.img").string();
    ASSERT_EQ(RunCommand("mkfs.fat -F 32 -n KX-310T -C '" + image + "' 65536").status, 0);

    const std::string card = (work / "card").string();
    fs::create_directories(card);
    ASSERT_EQ(SetClock(card, {"2011년", "5월", "12일", "9시", "7분", "3초"}).message, 131);
    ASSERT_EQ(RunCommand("mcopy -s -i '" + image + "' '" + card + "/Setup' ::/").status, 0);

    const CommandResult shown = RunCommand("mtype -i '" + image + "' ::/Setup/clockfix.dat");
    EXPECT_EQ(shown.status, 0) << shown.output;
    EXPECT_EQ(shown.output, "2011-05-12-09-07-03");
    const CommandResult check = RunCommand("fsck.fat -n '" + image + "'");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_NE(RunCommand("mdir -i '" + image + "' ::/").output.find("KX-310T"), std::string::npos);
}

} // namespace
} // namespace card
