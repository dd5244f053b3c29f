#include "platform/os/FileService.h"
#include "platform/os/Registry.h"
#include "platform/os/RegistryHive.h"
#include "support/RegistrySandbox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tarnwick::os {
namespace {

using enum TRegistryRoot;

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFileText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

TEST(RegistryHive, ReadsAnExportAndWritesItBackInTheSameLayout)
{
    const std::string text = "Windows Registry Editor Version 5.00\r\n"
                             "\r\n"
                             "[HKEY_CURRENT_USER\\Software]\r\n"
                             "\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Vexholm\\Vexholm Taxation]\r\n"
                             "@=\"default\"\r\n"
                             "\"DataSource\"=\"SRV01\\\\TAX\"\r\n"
                             "\"Quoted \\\"name\\\"\"=\"caf\xe9 \\\"x\\\"\"\r\n"
                             "\"DefaultDataset\"=dword:ffffffff\r\n"
                             "\"Blob\"=hex:01,02,\\\r\n"
                             "  03,04\r\n"
                             "\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Vexholm\\Vexholm Taxation\\System Test]\r\n"
                             "\r\n";
    // Every key gets its own section, the implicit parent too.
    const std::string written = ReplaceAll(text, "[HKEY_CURRENT_USER\\Software]\r\n\r\n",
                                           "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
                                           "[HKEY_CURRENT_USER\\Software\\Vexholm]\r\n\r\n");
    auto hive = TRegistryHive::Parse(HKEY_CURRENT_USER, text, "test");
    auto* key = hive.Find("software\\VEXHOLM\\Vexholm Taxation");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(TRegistryHive::FindValue(*key, "")->Value, TRegistryValue::String("default"));
    EXPECT_EQ(TRegistryHive::FindValue(*key, "datasource")->Value, TRegistryValue::String("SRV01\\TAX"));
    EXPECT_EQ(TRegistryHive::FindValue(*key, "Quoted \"name\"")->Value,
              TRegistryValue::String("caf\xe9 \"x\""));
    EXPECT_EQ(TRegistryHive::FindValue(*key, "DefaultDataset")->Value, TRegistryValue::DWord(0xffffffffu));
    EXPECT_EQ(hive.Text(), written);
    EXPECT_EQ(TRegistryHive::Parse(HKEY_CURRENT_USER, written, "test").Text(), written);
}

TEST(RegistryHive, ToleratesLoneLineBreaksCommentsAndTheOldHeader)
{
    auto hive = TRegistryHive::Parse(
        HKEY_LOCAL_MACHINE, "REGEDIT4\n; note\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\B]\n\"N\"=dword:7\n", "t");
    ASSERT_NE(hive.Find("SOFTWARE\\A"), nullptr);
    EXPECT_EQ(TRegistryHive::FindValue(*hive.Find("SOFTWARE\\A\\B"), "n")->Value, TRegistryValue::DWord(7));
}

TEST(RegistryHive, RefusesTextThatIsNotAnExport)
{
    const std::pair<const char*, const char*> cases[] = {
        {"[HKEY_CURRENT_USER\\A]\r\n", "line 1"},
        {"Windows Registry Editor Version 5.00\r\n\"N\"=\"no section\"\r\n", "line 2"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\A]\r\n", "line 2"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"N\"=\"open\r\n", "line 3"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"N\"=dword:1234567890\r\n",
         "line 3"},
    };
    for (const auto& [text, where] : cases) {
        try {
            TRegistryHive::Parse(HKEY_CURRENT_USER, text, "/x/u.reg");
            ADD_FAILURE() << text;
        } catch (const ERegistryException& error) {
            EXPECT_EQ(error.Message(),
                      std::string("The registry file \"/x/u.reg\" is not valid at ") + where);
        }
    }
}

TEST(FileRegistryStore, AMissingFileIsAnEmptyHiveAndWritesCreateIt)
{
    test::RegistrySandbox sandbox;
    auto& store = RegistryStore();
    EXPECT_FALSE(store.KeyExists(HKEY_CURRENT_USER, "Software"));
    EXPECT_FALSE(store.ReadValue(HKEY_CURRENT_USER, "Software", "X").has_value());
    EXPECT_TRUE(store.SubKeyNames(HKEY_CURRENT_USER, "Software").empty());
    EXPECT_FALSE(store.DeleteKey(HKEY_CURRENT_USER, "Software"));

    store.WriteValue(HKEY_CURRENT_USER, "Software\\Vexholm\\Vexholm Taxation", "DefaultDataset",
                     TRegistryValue::DWord(7));
    store.WriteValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vexholm\\Vexholm Taxation", "ProgramsDir",
                     TRegistryValue::String("C:\\Apps\\Tax"));
    EXPECT_EQ(FileText(sandbox.UserFile()), "Windows Registry Editor Version 5.00\r\n\r\n"
                                            "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
                                            "[HKEY_CURRENT_USER\\Software\\Vexholm]\r\n\r\n"
                                            "[HKEY_CURRENT_USER\\Software\\Vexholm\\Vexholm Taxation]\r\n"
                                            "\"DefaultDataset\"=dword:00000007\r\n\r\n");
    EXPECT_EQ(store.ReadValue(HKEY_LOCAL_MACHINE, "software\\vexholm\\VEXHOLM TAXATION", "programsdir"),
              TRegistryValue::String("C:\\Apps\\Tax"));
    EXPECT_FALSE(store.KeyExists(HKEY_LOCAL_MACHINE, "Software\\Vexholm\\Vexholm Taxation\\System Test"));
}

TEST(FileRegistryStore, DeletesAKeyWithItsSubkeysAndKeepsItsParent)
{
    test::RegistrySandbox sandbox;
    auto& store = RegistryStore();
    store.CreateKey(HKEY_CURRENT_USER, "A\\B\\C");
    store.CreateKey(HKEY_CURRENT_USER, "A\\D");
    EXPECT_EQ(store.SubKeyNames(HKEY_CURRENT_USER, "a"), (TStringList{"B", "D"}));
    EXPECT_TRUE(store.DeleteKey(HKEY_CURRENT_USER, "a\\b"));
    EXPECT_FALSE(store.KeyExists(HKEY_CURRENT_USER, "A\\B\\C"));
    EXPECT_EQ(store.SubKeyNames(HKEY_CURRENT_USER, "A"), (TStringList{"D"}));
}

TEST(FileRegistryStore, ADamagedFileIsReportedAndNeverOverwritten)
{
    test::RegistrySandbox sandbox;
    RegistryStore().CreateKey(HKEY_CURRENT_USER, "A");
    const std::string damaged = "not a registry file\r\n";
    WriteFileText(sandbox.UserFile(), damaged);
    EXPECT_THROW(RegistryStore().KeyExists(HKEY_CURRENT_USER, "A"), ERegistryException);
    EXPECT_THROW(RegistryStore().WriteValue(HKEY_CURRENT_USER, "A", "N", TRegistryValue::DWord(1)),
                 ERegistryException);
    EXPECT_EQ(FileText(sandbox.UserFile()), damaged);
}

TEST(FileRegistryStore, RefusesTextWithLineBreaks)
{
    test::RegistrySandbox sandbox;
    EXPECT_THROW(RegistryStore().WriteValue(HKEY_CURRENT_USER, "A", "N", TRegistryValue::String("a\r\nb")),
                 ERegistryException);
    EXPECT_FALSE(RegistryStore().KeyExists(HKEY_CURRENT_USER, "A"));
}

TEST(FileRegistryStore, WritersInSeveralProcessesLoseNothing)
{
    test::RegistrySandbox sandbox;
    constexpr int writers = 4;
    constexpr int valuesEach = 20;
    std::vector<pid_t> children;
    for (int w = 0; w < writers; ++w) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int failures = 0;
            for (int i = 0; i < valuesEach; ++i) {
                try {
                    RegistryStore().WriteValue(HKEY_CURRENT_USER, "Shared", "V" + std::to_string(w * 100 + i),
                                               TRegistryValue::DWord(static_cast<std::uint32_t>(i)));
                } catch (...) {
                    ++failures;
                }
            }
            _exit(failures);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int w = 0; w < writers; ++w)
        for (int i = 0; i < valuesEach; ++i)
            EXPECT_EQ(
                RegistryStore().ReadValue(HKEY_CURRENT_USER, "Shared", "V" + std::to_string(w * 100 + i)),
                TRegistryValue::DWord(static_cast<std::uint32_t>(i)));
}

TEST(Registry, OpensKeysRelativeToTheOpenKeyAndHonoursItsAccess)
{
    test::RegistrySandbox sandbox;
    sandbox.SetString(HKEY_CURRENT_USER, "Software\\V", "Text", "t");
    sandbox.SetDWord(HKEY_CURRENT_USER, "Software\\V\\Sub", "Number", 42);

    TRegistry registry(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKeyReadOnly("Software\\V"));
    EXPECT_EQ(registry.ReadString("TEXT"), "t");
    EXPECT_EQ(registry.ReadString("Missing"), "");
    EXPECT_EQ(registry.GetKeyNames(), TStringList{"Sub"});
    EXPECT_TRUE(registry.KeyExists("Sub"));
    EXPECT_TRUE(registry.KeyExists("\\Software\\V\\Sub"));
    EXPECT_THROW(registry.WriteInteger("Number", 1), ERegistryException);
    EXPECT_FALSE(registry.OpenKey("New", true));
    EXPECT_FALSE(registry.DeleteKey("Sub"));

    ASSERT_TRUE(registry.OpenKeyReadOnly("Sub"));
    EXPECT_EQ(registry.CurrentPath(), "Software\\V\\Sub");
    EXPECT_EQ(registry.ReadInteger("number"), 42);
    EXPECT_THROW(registry.ReadString("Number"), ERegistryException);
    EXPECT_THROW(registry.ReadInteger("Missing"), ERegistryException);

    registry.CloseKey();
    registry.SetAccess(TRegistryAccess::ReadWrite);
    ASSERT_TRUE(registry.OpenKey("\\Software\\New\\Deeper", true));
    registry.WriteInteger("Minus", -1);
    EXPECT_EQ(registry.ReadInteger("Minus"), -1);
    registry.CloseKey();
    EXPECT_TRUE(registry.DeleteKey("Software\\New"));
    EXPECT_FALSE(registry.KeyExists("Software\\New"));
}

TEST(Registry, ReadsExpandableStringsAsTheirText)
{
    test::RegistrySandbox sandbox;
    // "C:\Tax\" and "%ProgramFiles%\V\" as a Windows export writes them, over a continued line.
    std::filesystem::create_directories(std::filesystem::path(sandbox.UserFile()).parent_path());
    os::Files().WriteText(
        sandbox.UserFile(),
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\V]\r\n"
        "\"ProgramsDir\"=hex(2):43,00,3a,00,5c,00,54,00,61,00,78,00,5c,00,00,00\r\n"
        "\"Other\"=hex(2):25,00,50,00,72,00,6f,00,67,00,72,00,61,00,6d,00,46,00,69,00,\\\r\n"
        "  6c,00,65,00,73,00,25,00,5c,00,56,00,5c,00,00,00\r\n"
        "\"Binary\"=hex:01,02\r\n");
    TRegistry registry(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKeyReadOnly("Software\\V"));
    EXPECT_EQ(registry.ReadString("ProgramsDir"), "C:\\Tax\\");
    EXPECT_EQ(registry.ReadString("Other"), "%ProgramFiles%\\V\\");
    EXPECT_THROW(registry.ReadString("Binary"), ERegistryException);
}

} // namespace
} // namespace tarnwick::os
