// The registry store on disk: byte-exact values through a restart, atomic writes, damaged files,
// and the application profile.

#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST(Registry, LinesTheStoreDoesNotReadSurviveARewrite) {
    const auto dir = FreshDir("kept");
    RegistryStore store(dir);
    const std::string written =
        "Windows Registry Editor Version 5.00\n"
        "; exported by hand\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Good]\n"
        "\"ok\"=\"1\"\n"
        "\"dword\"=dword:00000001\n"
        "\"multi\"=hex(7):41,00,\\\n"
        "  00,00\n"
        "; about the key\n"
        "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Gone]\n"
        "[HKEY_CLASSES_ROOT\\.mp4]\n"
        "@=\"tripdesk\"\n";
    WriteFile(store.HiveFile(Hive::LocalMachine), written);
    ASSERT_TRUE(store.SetString(Hive::LocalMachine, "SOFTWARE\\Good", "new", "2"));
    ASSERT_TRUE(store.SetString(Hive::LocalMachine, "SOFTWARE\\Other", "x", "3"));

    const std::string text = ReadFile(store.HiveFile(Hive::LocalMachine));
    // Each line kept as written, in the key it stood in.
    const std::size_t good = text.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Good]\n");
    const std::size_t other = text.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\n");
    ASSERT_NE(good, std::string::npos);
    ASSERT_NE(other, std::string::npos);
    for (const char* line : {"\"dword\"=dword:00000001\n", "\"multi\"=hex(7):41,00,\\\n  00,00\n", "; about the key\n"}) {
        const std::size_t at = text.find(line);
        EXPECT_TRUE(at > good && at < other) << line;
    }
    for (const char* line : {"; exported by hand\n", "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Gone]\n",
                             "[HKEY_CLASSES_ROOT\\.mp4]\n@=\"tripdesk\"\n"}) {
        const std::size_t at = text.find(line);
        EXPECT_NE(at, std::string::npos) << line;
        EXPECT_LT(at, good) << line;
    }
    // And again after another start of the store: nothing is added twice, the values are there.
    RegistryStore again(dir);
    ASSERT_TRUE(again.DeleteValue(Hive::LocalMachine, "SOFTWARE\\Good", "new"));
    const std::string second = ReadFile(store.HiveFile(Hive::LocalMachine));
    EXPECT_EQ(second.find("dword:00000001"), second.rfind("dword:00000001"));
    EXPECT_NE(second.find("\"dword\"=dword:00000001\n"), std::string::npos);
    EXPECT_EQ(again.QueryString(Hive::LocalMachine, "SOFTWARE\\Good", "ok"), "1");
    EXPECT_FALSE(again.Query(Hive::LocalMachine, "SOFTWARE\\Good", "dword"));
}

// A hive file that is there but cannot be read: a folder, a FIFO (which must not block the
// store either) and a link that leads nowhere but round in circles.
TEST(Registry, AHiveThatCannotBeReadIsNeverWrittenOver) {
    struct Case {
        const char* name;
        void (*make)(const std::filesystem::path&);
    };
    const Case cases[] = {
        {"folder", [](const std::filesystem::path& path) { std::filesystem::create_directories(path / "inside"); }},
        {"fifo", [](const std::filesystem::path& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
        {"loop", [](const std::filesystem::path& path) { std::filesystem::create_symlink(path.filename(), path); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto dir = FreshDir(std::string("unreadable_") + c.name);
        std::filesystem::create_directories(dir);
        RegistryStore store(dir);
        const auto hive = store.HiveFile(Hive::CurrentUser);
        c.make(hive);
        const auto kindBefore = std::filesystem::symlink_status(hive).type();

        ::testing::internal::CaptureStdout();
        EXPECT_FALSE(store.QueryString(Hive::CurrentUser, "Software\\A", "x"));
        EXPECT_FALSE(store.SetString(Hive::CurrentUser, "Software\\A", "x", "run"));
        const std::string trace = ::testing::internal::GetCapturedStdout();
        EXPECT_NE(trace.find(hive.string()), std::string::npos) << trace;
        EXPECT_NE(trace.find("cannot be read"), std::string::npos) << trace;

        // The value lives for the run; the file is left as it was, and no temporary file stays.
        EXPECT_EQ(store.QueryString(Hive::CurrentUser, "Software\\A", "x"), "run");
        EXPECT_EQ(std::filesystem::symlink_status(hive).type(), kindBefore);
        std::size_t entries = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) entries += !entry.path().empty();
        EXPECT_EQ(entries, 1u);
        // The other hive is not affected.
        EXPECT_TRUE(store.SetString(Hive::LocalMachine, "A", "y", "1"));
        EXPECT_EQ(RegistryStore(dir).QueryString(Hive::LocalMachine, "A", "y"), "1");
    }
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
