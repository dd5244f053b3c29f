#include "suite/SuiteEnvironment.h"
#include "platform/os/FileService.h"
#include "suite/KQUserDetails.h"
#include "suite/TaxSuiteStatus.h"
#include "suite/VexholmRegistry.h"
#include "support/OsSandbox.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace tarnwick {
namespace {

const std::string UserKey = "Software\\Vexholm\\Vexholm Taxation";
const std::string MachineKey = "SOFTWARE\\Vexholm\\Vexholm Taxation";

class SuiteEnvironmentTest : public ::testing::Test {
protected:
    test::OsSandbox os;

    SuiteEnvironmentTest() { ResetSuiteEnvironment(); }
    ~SuiteEnvironmentTest() override { ResetSuiteEnvironment(); }

    void SetUser(const std::string& name, const std::string& value)
    {
        os.Registry.SetString(HKEY_CURRENT_USER, UserKey, name, value);
    }
    void SetMachine(const std::string& name, const std::string& value)
    {
        os.Registry.SetString(HKEY_LOCAL_MACHINE, MachineKey, name, value);
    }
    std::string FileText(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

TEST_F(SuiteEnvironmentTest, DerivesTheSharesFromThePerUserDataSource)
{
    SetUser("DataSource", "SRV01\\TAX");
    SetMachine("DataSource", "SRV02");
    SetUser("ProgramsDir", "C:\\Program Files\\Vexholm\\");
    InitialiseSuiteEnvironment();

    EXPECT_EQ(GetDataSource(), "SRV01\\TAX");
    EXPECT_EQ(GetServerMachineName(), "SRV01");
    EXPECT_EQ(GetShareFolder(), "\\\\SRV01\\VexholmTaxationShareDir\\");
    EXPECT_EQ(GetReadOnlyShareFolder(), "\\\\SRV01\\VexholmTaxationReadOnly\\");

    const TTaxSuiteStatus* status = GetSuiteStatus();
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->DataSource, "SRV01\\TAX");
    EXPECT_EQ(status->ShareDir, "\\\\SRV01\\VexholmTaxationShareDir\\");
    EXPECT_EQ(status->ReadOnlyDir, "\\\\SRV01\\VexholmTaxationReadOnly\\");
    EXPECT_EQ(status->LocksDir, "\\\\SRV01\\VexholmTaxationShareDir\\Locks\\");
    EXPECT_EQ(status->ToolsDir, "\\\\SRV01\\VexholmTaxationReadOnly\\Tools\\");
    EXPECT_EQ(status->ProgramsDir, "C:\\Program Files\\Vexholm\\");
    EXPECT_EQ(status->ComputerName, "SRV01");
}

TEST_F(SuiteEnvironmentTest, AnEmptyPerUserValueFallsBackToTheMachineWideOne)
{
    SetUser("DataSource", "");
    SetMachine("DataSource", "SRV02");
    SetMachine("ProgramsDir", "C:\\Apps\\Tax");
    InitialiseSuiteEnvironment();
    EXPECT_EQ(GetServerMachineName(), "SRV02");
    EXPECT_EQ(GetSuiteStatus()->DataSource, "SRV02");
    EXPECT_EQ(GetSuiteStatus()->ProgramsDir, "C:\\Apps\\Tax\\");
}

TEST_F(SuiteEnvironmentTest, WithoutADataSourceNoShareIsNamed)
{
    // A folder that an empty server name would reach if "\\\VexholmTaxationShareDir\" were
    // taken for a share.
    os.Paths.MakeFolder("unc/VexholmTaxationShareDir/Logs");
    SetMachine("ProgramsDir", "C:\\Apps\\Tax");
    InitialiseSuiteEnvironment();
    EXPECT_EQ(GetServerMachineName(), "");
    const TTaxSuiteStatus* status = GetSuiteStatus();
    EXPECT_EQ(status->DataSource, "");
    EXPECT_EQ(status->ShareDir, "");
    EXPECT_EQ(status->ReadOnlyDir, "");
    EXPECT_EQ(status->ProgramsDir, "");
    EXPECT_EQ(status->LocksDir, "");
    EXPECT_EQ(status->ToolsDir, "");
    EXPECT_EQ(status->LogsDir, os.Folders->Temp);
}

TEST_F(SuiteEnvironmentTest, LogsGoToTheShareWhenItHasALogsFolderElseToTheTemporaryFolder)
{
    SetUser("DataSource", "SRV01");
    os.Paths.MakeFolder("unc/SRV01/VexholmTaxationShareDir");
    InitialiseSuiteEnvironment();
    EXPECT_EQ(GetLogsFolder(), os.Folders->Temp);

    os.Folders->Temp = "/var/tmp/no-separator";
    EXPECT_EQ(GetLogsFolder(), "/var/tmp/no-separator/");

    os.Paths.MakeFolder("unc/SRV01/VexholmTaxationShareDir/LOGS");
    EXPECT_EQ(GetLogsFolder(), "\\\\SRV01\\VexholmTaxationShareDir\\Logs\\");
    EXPECT_EQ(GetSuiteStatus()->LogsDir, "\\\\SRV01\\VexholmTaxationShareDir\\Logs\\");
}

TEST_F(SuiteEnvironmentTest, LocalLogsFolderIsMadeUnderTheCommonApplicationData)
{
    InitialiseSuiteEnvironment();
    const std::string expected = os.Folders->CommonAppData + "Vexholm\\Vexholm Accountants\\Logs\\";
    EXPECT_EQ(GetSuiteStatus()->LocalLogsDir, expected);
    EXPECT_TRUE(
        std::filesystem::is_directory(os.Folders->CommonAppData + "Vexholm/Vexholm Accountants/Logs"));

    ResetSuiteEnvironment();
    os.Folders->CommonAppData = "";
    InitialiseSuiteEnvironment();
    EXPECT_EQ(GetSuiteStatus()->LocalLogsDir, GetSuiteStatus()->LogsDir);
}

TEST_F(SuiteEnvironmentTest, TheDataSourceIsReadOnceButTheStatusReadsItAfresh)
{
    SetUser("DataSource", "SRV01");
    InitialiseSuiteEnvironment();
    SetUser("DataSource", "SRV09");
    InitialiseSuiteEnvironment();
    EXPECT_EQ(GetDataSource(), "SRV01");
    EXPECT_EQ(GetSuiteStatus()->DataSource, "SRV09");
    // The share folders come from the cached data source.
    EXPECT_EQ(GetSuiteStatus()->ShareDir, "\\\\SRV01\\VexholmTaxationShareDir\\");
}

TEST_F(SuiteEnvironmentTest, SuiteStatusIsMadeOnceAndGoneAfterShutdown)
{
    InitialiseSuiteEnvironment();
    const TTaxSuiteStatus* first = GetSuiteStatus();
    EXPECT_EQ(GetSuiteStatus(), first);
    FinaliseSuiteEnvironment();
    EXPECT_EQ(GetSuiteStatus(), nullptr);
    EXPECT_EQ(GetSuiteStatus(), nullptr);
    EXPECT_FALSE(VexholmRegistryExists());
    EXPECT_EQ(GetDataSource(), "");
}

TEST_F(SuiteEnvironmentTest, NormalisesFoldersToOneTrailingSeparator)
{
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Apps\\Tax", "C:\\Apps\\Tax\\"},
        {"C:\\Apps\\Tax\\\\", "C:\\Apps\\Tax\\"},
        {"\\\\SRV01\\VexholmTaxationReadOnly\\Tools\\..\\", "\\\\SRV01\\VexholmTaxationReadOnly\\"},
        {"/opt/vexholm", "/opt/vexholm/"},
        {"", ""},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(TTaxSuiteStatus::NormaliseFolder(path), expected) << path;
    EXPECT_EQ(TTaxSuiteStatus::NormaliseFolder("Tax"), std::filesystem::current_path().string() + "/Tax/");
}

TEST_F(SuiteEnvironmentTest, DefaultDatasetRoundTrip)
{
    InitialiseSuiteEnvironment();
    EXPECT_EQ(GetDefaultDataset(), -1);
    EXPECT_TRUE(SetDefaultDataset(7));
    EXPECT_EQ(GetDefaultDataset(), 7);
    EXPECT_NE(FileText(os.Registry.UserFile())
                  .find("[HKEY_CURRENT_USER\\Software\\Vexholm\\Vexholm Taxation]\r\n"
                        "\"DefaultDataset\"=dword:00000007\r\n"),
              std::string::npos);
}

TEST_F(SuiteEnvironmentTest, WritingAnIntegerReportsFailureInsteadOfRaising)
{
    std::filesystem::create_directories(std::filesystem::path(os.Registry.UserFile()).parent_path());
    std::ofstream(os.Registry.UserFile(), std::ios::binary) << "damaged\r\n";
    EXPECT_FALSE(SetDefaultDataset(3));
    EXPECT_EQ(FileText(os.Registry.UserFile()), "damaged\r\n");
}

TEST_F(SuiteEnvironmentTest, RegistryOperationsPutTheRootAndAccessBack)
{
    SetUser("Text", "t");
    auto& registry = VexholmRegistry();
    EXPECT_EQ(registry.RootKey(), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, UserKey, "text"), "t");
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, UserKey, "Missing"), "");
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, "Software\\Nowhere", "Text"), "");
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, "Software\\Nowhere"));
    EXPECT_EQ(registry.RootKey(), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(registry.Access(), os::TRegistryAccess::ReadWrite);
    EXPECT_FALSE(registry.HasCurrentKey());

    // A string read as an integer is a registry error that reaches the caller; the state is
    // put back all the same.
    EXPECT_THROW(ReadRegistryInteger(HKEY_CURRENT_USER, UserKey, "Text", 0), os::ERegistryException);
    EXPECT_EQ(registry.RootKey(), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(registry.Access(), os::TRegistryAccess::ReadWrite);
    EXPECT_EQ(ReadRegistryInteger(HKEY_CURRENT_USER, UserKey, "Missing", 12), 12);
    EXPECT_EQ(ReadRegistryInteger(HKEY_CURRENT_USER, "Software\\Nowhere", "Missing", 13), 13);
    // Reading never creates the key.
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, "Software\\Nowhere"));
}

TEST_F(SuiteEnvironmentTest, DeletesAKeyTreeOfFourKeys)
{
    const std::string key = UserKey + "\\Help Override";
    os.Registry.SetString(HKEY_CURRENT_USER, key, "Date", "01/02/2025");
    os.Registry.SetString(HKEY_CURRENT_USER, key + "\\First", "x", "1");
    os.Registry.SetString(HKEY_CURRENT_USER, key + "\\First\\Inner", "y", "2");
    os.Registry.SetString(HKEY_CURRENT_USER, key + "\\Second", "z", "3");

    EXPECT_TRUE(DeleteRegistryKeyTree(HKEY_CURRENT_USER, key));
    for (const char* gone : {"", "\\First", "\\First\\Inner", "\\Second"})
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, key + gone)) << gone;
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, UserKey));

    const std::string before = FileText(os.Registry.UserFile());
    EXPECT_FALSE(DeleteRegistryKeyTree(HKEY_CURRENT_USER, key));
    EXPECT_EQ(FileText(os.Registry.UserFile()), before);
    EXPECT_EQ(VexholmRegistry().RootKey(), HKEY_LOCAL_MACHINE);
}

TEST_F(SuiteEnvironmentTest, UserDetailsTakeNamesThatFitTheirBuffers)
{
    const struct {
        std::string Computer;
        std::string User;
        std::string ExpectedComputer;
        std::string ExpectedUser;
    } cases[] = {
        {"SRV01", "jbloggs", "SRV01", "jbloggs"},
        {std::string(16, 'C'), std::string(257, 'u'), std::string(16, 'C'), std::string(257, 'u')},
        {std::string(17, 'C'), std::string(258, 'u'), "", ""},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        os.Identity->Computer = c.Computer;
        os.Identity->User = c.User;
        TKQUserDetails details;
        details.Fill();
        EXPECT_EQ(details.ComputerName, c.ExpectedComputer);
        EXPECT_EQ(details.UserName, c.ExpectedUser);
    }
}

} // namespace
} // namespace tarnwick
