#include "platform/os/FileService.h"
#include "platform/core/Exceptions.h"
#include "support/PathSandbox.h"

#include <ctime>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tarnwick::os {
namespace {

const std::string Share = R"(\\SRV01\VexholmTaxationShareDir\)";

class FileServiceTest : public ::testing::Test {
protected:
    test::PathSandbox sandbox;
    IFileService& files = Files();

    std::string Local(const std::string& relative)
    {
        return sandbox.Unc() + "/SRV01/VexholmTaxationShareDir/" + relative;
    }
    std::string MessageOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const EInOutError& error) {
            return error.Message();
        }
        return "(nothing raised)";
    }
};

TEST_F(FileServiceTest, WritesAppendsAndReadsByteForByte)
{
    ASSERT_TRUE(files.ForceDirectories(Share + R"(Logs\)"));
    const std::string text("one\r\ntwo\rthree\nf\xe9\x80\0r", 20);
    files.WriteText(Share + R"(Logs\a.txt)", text);
    files.AppendText(Share + R"(Logs\a.txt)", "\r\nlast");
    files.AppendText(Share + R"(Logs\new.txt)", "made by append");

    EXPECT_EQ(files.ReadText(Share + R"(logs\A.TXT)"), text + "\r\nlast");
    EXPECT_EQ(files.ReadLines(Share + R"(Logs\a.txt)"),
              (TStringList{"one", "two", "three", std::string("f\xe9\x80\0r", 5), "last"}));
    EXPECT_EQ(files.FileSize(Share + R"(Logs\a.txt)"), 26);
    EXPECT_EQ(files.ReadText(Share + R"(Logs\new.txt)"), "made by append");

    files.WriteText(Share + R"(Logs\a.txt)", "short");
    EXPECT_EQ(files.ReadText(Share + R"(Logs\a.txt)"), "short");
}

TEST_F(FileServiceTest, TellsFilesFromFolders)
{
    ASSERT_TRUE(files.ForceDirectories(Share + R"(Locks\Deep\Er)"));
    files.WriteText(Share + R"(Locks\Tool.use)", "");
    EXPECT_TRUE(files.DirectoryExists(Share + R"(Locks\Deep\Er\)"));
    EXPECT_FALSE(files.FileExists(Share + R"(Locks\Deep)"));
    EXPECT_TRUE(files.FileExists(Share + R"(LOCKS\tool.USE)"));
    EXPECT_FALSE(files.DirectoryExists(Share + R"(Locks\Tool.use)"));
    EXPECT_FALSE(files.FileExists(Share + R"(Locks\Install.use)"));
    EXPECT_FALSE(files.FileExists(""));
    EXPECT_FALSE(files.DirectoryExists(""));
    // A folder cannot be made below a file.
    EXPECT_FALSE(files.ForceDirectories(Share + R"(Locks\Tool.use\x)"));
}

TEST_F(FileServiceTest, ReadOnlyFilesRefuseWritingAndDeletingUntilCleared)
{
    ASSERT_TRUE(files.ForceDirectories(Share + "Locks"));
    const std::string det = Share + R"(Locks\Tool.det)";
    files.WriteText(det, "old");
    EXPECT_EQ(files.IsReadOnly(det), false);
    ASSERT_TRUE(files.SetReadOnly(det, true));
    EXPECT_EQ(files.IsReadOnly(det), true);

    EXPECT_FALSE(files.DeleteFile(det));
    EXPECT_EQ(MessageOf([&] { files.WriteText(det, "new"); }),
              "Cannot create file \"" + det + "\". Access is denied");
    EXPECT_EQ(files.ReadText(det), "old");

    ASSERT_TRUE(files.SetReadOnly(det, false));
    EXPECT_TRUE(files.DeleteFile(det));
    EXPECT_FALSE(files.FileExists(det));
    EXPECT_FALSE(files.IsReadOnly(det).has_value());
    EXPECT_FALSE(files.SetReadOnly(det, true));
}

TEST_F(FileServiceTest, DeleteAndMoveKeepWindowsRules)
{
    ASSERT_TRUE(files.ForceDirectories(Share + "Logs"));
    files.WriteText(Share + "a.txt", "a");
    files.WriteText(Share + "b.txt", "b");

    EXPECT_FALSE(files.DeleteFile(Share + "missing.txt"));
    EXPECT_FALSE(files.DeleteFile(Share + "Logs"));
    EXPECT_TRUE(files.DirectoryExists(Share + "Logs"));

    EXPECT_FALSE(files.RenameFile(Share + "a.txt", Share + "B.TXT"));
    EXPECT_EQ(files.ReadText(Share + "b.txt"), "b");
    EXPECT_TRUE(files.RenameFile(Share + "a.txt", Share + R"(Logs\moved.txt)"));
    EXPECT_FALSE(files.FileExists(Share + "a.txt"));
    EXPECT_EQ(files.ReadText(Share + R"(Logs\moved.txt)"), "a");
}

TEST_F(FileServiceTest, FailuresNameTheWindowsPath)
{
    const std::string missing = Share + R"(nope\Errors.txt)";
    EXPECT_EQ(MessageOf([&] { files.ReadText(missing); }),
              "Cannot open file \"" + missing + "\". The system cannot find the file specified");
    EXPECT_EQ(MessageOf([&] { files.WriteText(missing, "x"); }),
              "Cannot create file \"" + missing + "\". The system cannot find the file specified");
    EXPECT_EQ(MessageOf([&] { files.FileSize(missing); }),
              "Cannot read the attributes of \"" + missing + "\". The system cannot find the file specified");
    EXPECT_THROW(files.FileAge(missing), EInOutError);
    EXPECT_THROW(files.ListFolder(Share + "nope"), EInOutError);
}

TEST_F(FileServiceTest, FileAgeIsTheLocalModificationTime)
{
    ASSERT_TRUE(files.ForceDirectories(Share));
    files.WriteText(Share + "Version.inf", "x");
    struct tm when = {};
    when.tm_year = 2024 - 1900;
    when.tm_mon = 2;
    when.tm_mday = 5;
    when.tm_hour = 14;
    when.tm_min = 30;
    when.tm_sec = 15;
    when.tm_isdst = -1;
    struct timespec times[2] = {{mktime(&when), 250000000}, {mktime(&when), 250000000}};
    ASSERT_EQ(utimensat(AT_FDCWD, Local("Version.inf").c_str(), times, 0), 0);
    EXPECT_DOUBLE_EQ(files.FileAge(Share + "Version.inf"),
                     EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 15, 250));
}

TEST_F(FileServiceTest, ListsAFolderInNameOrder)
{
    ASSERT_TRUE(files.ForceDirectories(Share + R"(Tools\sub)"));
    files.WriteText(Share + R"(Tools\b.exe)", "");
    files.WriteText(Share + R"(Tools\A.exe)", "");
    auto entries = files.ListFolder(Share + R"(tools\)");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Name, "A.exe");
    EXPECT_FALSE(entries[0].IsFolder);
    EXPECT_EQ(entries[1].Name, "b.exe");
    EXPECT_EQ(entries[2].Name, "sub");
    EXPECT_TRUE(entries[2].IsFolder);
}

} // namespace
} // namespace tarnwick::os
