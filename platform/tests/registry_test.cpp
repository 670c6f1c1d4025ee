// The registry store on disk: byte-exact values through a restart, atomic writes, damaged files,
// and the application profile.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "platform/profile.h"
#include "platform/registry.h"

namespace platform {
namespace {

constexpr const char* kKey = "SOFTWARE\\Corvane\\Vistrel\\00.00.01";

std::filesystem::path FreshDir(const std::string& name) {
    const auto dir = std::filesystem::path(TRIPDESK_TEST_WORK_DIR) / name;
    std::filesystem::remove_all(dir);
    return dir;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::uint8_t> EveryByteValue() {
    std::vector<std::uint8_t> bytes(336);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>((i * 7 + 3) % 256);
    bytes[0] = 0x00;
    bytes[1] = 0xFF;
    return bytes;
}

TEST(Registry, ValuesKeepTheirBytesThroughARestartOfTheStore) {
    const auto dir = FreshDir("restart");
    const std::string config = "4?0?0?74?0?1234?2024년 01월 02일?\"quoted\" C:\\capture\\?100?\n??";
    const char rawBytes[] = "\xFF\xFE bad \xC3( \x00 nul \x1B";
    const std::string raw(rawBytes, sizeof rawBytes - 1);
    const std::string korean = "RDX4400 Viewer 녹화";
    const auto binary = EveryByteValue();
    {
        RegistryStore store(dir);
        EXPECT_FALSE(store.QueryString(Hive::LocalMachine, kKey, "config"));
        ASSERT_TRUE(store.SetString(Hive::LocalMachine, kKey, "config", config));
        ASSERT_TRUE(store.SetString(Hive::LocalMachine, kKey, "raw", raw));
        ASSERT_TRUE(store.SetString(Hive::LocalMachine, kKey, "", korean));
        ASSERT_TRUE(store.SetBinary(Hive::LocalMachine, kKey, "stConfig", binary));
        ASSERT_TRUE(store.SetString(Hive::CurrentUser, "Software\\A", "x", "user"));
    }
    RegistryStore store(dir);
    EXPECT_EQ(store.QueryString(Hive::LocalMachine, kKey, "config"), config);
    EXPECT_EQ(store.QueryString(Hive::LocalMachine, kKey, "raw"), raw);
    EXPECT_EQ(store.QueryString(Hive::LocalMachine, kKey, ""), korean);
    EXPECT_EQ(store.QueryBinary(Hive::LocalMachine, kKey, "stConfig"), binary);
    EXPECT_EQ(store.Query(Hive::LocalMachine, kKey, "stConfig")->type, RegType::Binary);
    EXPECT_FALSE(store.QueryString(Hive::LocalMachine, kKey, "stConfig")) << "a binary value is no text";
    EXPECT_EQ(store.QueryString(Hive::LocalMachine, "software\\CORVANE\\vistrel\\00.00.01", "CONFIG"), config);
    EXPECT_FALSE(store.QueryString(Hive::CurrentUser, kKey, "config")) << "hives are separate";
    EXPECT_EQ(store.QueryString(Hive::CurrentUser, "Software\\A", "x"), "user");

    // A readable value stays readable in the file; the others are written as bytes.
    const std::string text = ReadFile(store.HiveFile(Hive::LocalMachine));
    EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\n", 0), 0u);
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Vistrel\\00.00.01]\n"), std::string::npos);
    EXPECT_NE(text.find("@=\"RDX4400 Viewer 녹화\"\n"), std::string::npos);
    EXPECT_NE(text.find("\"raw\"=hex(1):ff,fe,20,"), std::string::npos);
    EXPECT_NE(text.find("\"stConfig\"=hex:00,ff,"), std::string::npos);

    // Changing a value keeps the name as first written; deleting it removes it for good.
    ASSERT_TRUE(store.SetString(Hive::LocalMachine, kKey, "Config", "7"));
    EXPECT_NE(ReadFile(store.HiveFile(Hive::LocalMachine)).find("\"config\"=\"7\""), std::string::npos);
    EXPECT_TRUE(store.DeleteValue(Hive::LocalMachine, kKey, "RAW"));
    EXPECT_FALSE(store.DeleteValue(Hive::LocalMachine, kKey, "raw"));
    RegistryStore again(dir);
    EXPECT_FALSE(again.QueryString(Hive::LocalMachine, kKey, "raw"));
    EXPECT_EQ(again.QueryString(Hive::LocalMachine, kKey, "config"), "7");
}

TEST(Registry, AnInterruptedWriteLeavesTheOldFileWhole) {
    const auto dir = FreshDir("interrupted");
    RegistryStore store(dir);
    ASSERT_TRUE(store.SetString(Hive::LocalMachine, kKey, "config", "old"));
    ASSERT_TRUE(store.SetBinary(Hive::LocalMachine, kKey, "stConfig", EveryByteValue()));
    const std::string before = ReadFile(store.HiveFile(Hive::LocalMachine));

    for (std::size_t cut : {std::size_t{0}, std::size_t{40}, before.size() - 1}) {
        store.FailNextWriteAfter(cut);
        EXPECT_FALSE(store.SetString(Hive::LocalMachine, kKey, "config", "new"));
        EXPECT_EQ(ReadFile(store.HiveFile(Hive::LocalMachine)), before);
        EXPECT_EQ(store.QueryString(Hive::LocalMachine, kKey, "config"), "old");
        EXPECT_EQ(RegistryStore(dir).QueryString(Hive::LocalMachine, kKey, "config"), "old");
    }
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) files += entry.is_regular_file();
    EXPECT_EQ(files, 1u) << "no temporary file is left behind";

    EXPECT_TRUE(store.SetString(Hive::LocalMachine, kKey, "config", "new"));
    EXPECT_EQ(RegistryStore(dir).QueryString(Hive::LocalMachine, kKey, "config"), "new");
}

TEST(Registry, DamagedFilesAreReadAsFarAsTheyMakeSense) {
    const auto dir = FreshDir("damaged");
    RegistryStore store(dir);
    const std::string damaged =
        "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Good]\r\n"
        "\"unterminated\"=\"abc\r\n"
        "\"badhex\"=hex:0g,12\r\n"
        "\"toolong\"=hex:123\r\n"
        "\"dword\"=dword:00000001\r\n"
        "\"continued\"=hex:01,02,\\\r\n"
        "  03\r\n"
        "\"ok\"=\"fine \\\"x\\\"\"\r\n"
        "[HKEY_SOMEWHERE\\Else]\r\n"
        "\"lost\"=\"x\"\r\n"
        "[\r\n"
        "\"orphan\"=\"x\"\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tail]\r\n"
        "\"last\"=hex:ff,\\";
    WriteFile(store.HiveFile(Hive::LocalMachine), damaged);
    EXPECT_EQ(store.QueryString(Hive::LocalMachine, "SOFTWARE\\Good", "ok"), "fine \"x\"");
    EXPECT_EQ(store.QueryBinary(Hive::LocalMachine, "SOFTWARE\\Good", "continued"),
              (std::vector<std::uint8_t>{1, 2, 3}));
    for (const char* name : {"unterminated", "badhex", "toolong", "dword"})
        EXPECT_FALSE(store.Query(Hive::LocalMachine, "SOFTWARE\\Good", name)) << name;
    EXPECT_FALSE(store.Query(Hive::LocalMachine, "Else", "lost"));
    EXPECT_FALSE(store.Query(Hive::LocalMachine, "SOFTWARE\\Tail", "last")) << "cut short: not a value";

    // Random bytes: nothing to read, and the store goes on working.
    std::mt19937 random(1234);
    std::string garbage(64 * 1024, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    for (int i = 0; i < 200; ++i) garbage[random() % garbage.size()] = "[]\"=\\\n@"[random() % 7];
    WriteFile(store.HiveFile(Hive::CurrentUser), garbage);
    store.Reload();
    EXPECT_FALSE(store.QueryString(Hive::CurrentUser, "Software\\A", "x"));
    ASSERT_TRUE(store.SetString(Hive::CurrentUser, "Software\\A", "x", "y"));
    EXPECT_EQ(RegistryStore(dir).QueryString(Hive::CurrentUser, "Software\\A", "x"), "y");
    EXPECT_EQ(RegistryStore(dir).QueryString(Hive::LocalMachine, "SOFTWARE\\Good", "ok"), "fine \"x\"");
}

TEST(Registry, KeysAndNamesThatCannotBeStoredAreRefused) {
    const auto dir = FreshDir("refused");
    RegistryStore store(dir);
    EXPECT_FALSE(store.SetString(Hive::LocalMachine, "", "a", "x"));
    EXPECT_FALSE(store.SetString(Hive::LocalMachine, "A\nB", "a", "x"));
    EXPECT_FALSE(store.SetString(Hive::LocalMachine, "A", "line\nbreak", "x"));
    EXPECT_FALSE(store.SetString(Hive::LocalMachine, "A", "\xFF", "x"));
    EXPECT_FALSE(std::filesystem::exists(store.HiveFile(Hive::LocalMachine)));

    // Names with quotes and backslashes survive.
    ASSERT_TRUE(store.SetString(Hive::LocalMachine, "A]B", "q\"\\n", "v"));
    EXPECT_EQ(RegistryStore(dir).QueryString(Hive::LocalMachine, "a]b", "Q\"\\N"), "v");
}

TEST(Registry, TheApplicationProfileLivesUnderTheRegistryKey) {
    const auto dir = FreshDir("profile");
    RegistryStore store(dir);
    AppProfile profile(store, "DezovIri_DOZI", "RDX4400 Viewer");
    EXPECT_EQ(profile.sectionKey("KX_310T_Data"), "Software\\DezovIri_DOZI\\RDX4400 Viewer\\KX_310T_Data");
    EXPECT_EQ(profile.GetProfileString("KX_310T_Data", "Folder_Path"), "");
    EXPECT_EQ(profile.GetProfileString("KX_310T_Data", "Folder_Path", "none"), "none");
    ASSERT_TRUE(profile.WriteProfileString("KX_310T_Data", "Folder_Path", "/media/card/녹화/"));

    RegistryStore restarted(dir);
    EXPECT_EQ(AppProfile(restarted, "DezovIri_DOZI", "RDX4400 Viewer").GetProfileString("KX_310T_Data", "Folder_Path"),
              "/media/card/녹화/");
    EXPECT_NE(ReadFile(store.HiveFile(Hive::CurrentUser))
                  .find("[HKEY_CURRENT_USER\\Software\\DezovIri_DOZI\\RDX4400 Viewer\\KX_310T_Data]"),
              std::string::npos);

    // The program's profile goes to the store in $XDG_CONFIG_HOME/tripdesk.
    SetAppProfile("DezovIri_DOZI", "RDX4400 Viewer");
    ASSERT_TRUE(AppProfileInstance().WriteProfileString("KX_310T_Data", "Capture_Path", "/tmp/c/"));
    EXPECT_EQ(RegistryStore::Default().directory(),
              std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "tripdesk");
    EXPECT_EQ(RegistryStore(RegistryStore::Default().directory())
                  .QueryString(Hive::CurrentUser, "Software\\DezovIri_DOZI\\RDX4400 Viewer\\KX_310T_Data",
                               "Capture_Path"),
              "/tmp/c/");
}

} // namespace
} // namespace platform
