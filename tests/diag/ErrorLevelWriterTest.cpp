#include "diag/ErrorLevelWriter.h"
#include "platform/core/Exceptions.h"
#include "platform/os/FileService.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace tarnwick;

namespace {

class ErrorLevelWriter : public ::testing::Test {
protected:
    std::string LogPath() const { return folder / "Logs/Tarnwick.log"; }
    std::string FileText(const std::string& path) const { return os::Files().ReadText(path); }

    test::TempFolder folder;
};

} // namespace

TEST_F(ErrorLevelWriter, PrefixesByLevel)
{
    TErrorLevelWriter writer("", true, true);
    const std::vector<std::pair<unsigned char, std::string>> cases = {
        {0, "          x"}, {1, "     OK:  x"}, {2, "   INFO:  x"}, {3, "WARNING:  x"},
        {4, "  ERROR:  x"}, {5, "          x"}, {6, "     OK:  x"}, {9, "x"},
    };
    for (const auto& [level, line] : cases) {
        const int index = writer.Log(0, "x", level);
        EXPECT_EQ(writer.Lines().at(static_cast<std::size_t>(index)), line) << int(level);
    }
    EXPECT_EQ(writer.WarningCount(), 1);
    EXPECT_EQ(writer.ErrorCount(), 1);
}

TEST_F(ErrorLevelWriter, ContinuationLinesLineUpUnderTheFirst)
{
    TErrorLevelWriter writer(LogPath(), true, true);
    EXPECT_EQ(writer.Log(2, "a\r\nb\nc", 4), 2);
    EXPECT_EQ(writer.Lines(), (TStringList{"  ERROR:    a", "            b", "            c"}));
    EXPECT_EQ(writer.ErrorCount(), 1);
    EXPECT_EQ(FileText(LogPath()), "  ERROR:    a\r\n            b\r\n            c\r\n");
}

TEST_F(ErrorLevelWriter, TrailingLineBreakLogsOneLine)
{
    TErrorLevelWriter writer("", true, true);
    EXPECT_EQ(writer.Log(0, "a\r\n", 2), 0);
    EXPECT_EQ(writer.Lines(), (TStringList{"   INFO:  a"}));
    try {
        writer.LogLines(0, {});
        FAIL() << "an empty list must fail";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "cslMsg must be populated with one or more string values");
    }
    EXPECT_EQ(writer.Lines().size(), 1u);
}

TEST_F(ErrorLevelWriter, QuietLevelsStillCount)
{
    TErrorLevelWriter writer("", false, true);
    EXPECT_EQ(writer.Log(0, "detail", 5), -1);
    EXPECT_EQ(writer.Log(0, "detail", 6), -1);
    EXPECT_EQ(writer.Log(0, "", 4), 0);
    EXPECT_EQ(writer.ErrorCount(), 1);
    writer.Clear();
    EXPECT_TRUE(writer.Lines().empty());
    EXPECT_EQ(writer.ErrorCount(), 0);
}

TEST_F(ErrorLevelWriter, EveryLineIsOnDiskWhenLogReturns)
{
    TErrorLevelWriter writer(LogPath(), true, true);
    EXPECT_FALSE(os::Files().FileExists(LogPath()));
    writer.Log(1, "one", 1);
    EXPECT_EQ(FileText(LogPath()), "     OK:   one\r\n");
    writer.WriteSeparator();
    EXPECT_EQ(FileText(LogPath()), "     OK:   one\r\n          " + std::string(80, '-') + "\r\n");
}

TEST_F(ErrorLevelWriter, AppendsOrMovesTheOldFileAside)
{
    const std::string logs = folder / "Logs";
    os::Files().ForceDirectories(logs);
    os::Files().WriteText(LogPath(), "old\r\n");
    {
        TErrorLevelWriter writer(LogPath(), true, true);
        writer.Log(0, "new", 9);
    }
    EXPECT_EQ(FileText(LogPath()), "old\r\nnew\r\n");

    os::Files().WriteText(logs + "/Tarnwick1.log", "first\r\n");
    TErrorLevelWriter writer(LogPath(), true, false);
    writer.Log(0, "fresh", 9);
    EXPECT_EQ(FileText(logs + "/Tarnwick2.log"), "old\r\nnew\r\n");
    EXPECT_EQ(FileText(logs + "/Tarnwick1.log"), "first\r\n");
    EXPECT_EQ(FileText(LogPath()), "fresh\r\n");
}

TEST_F(ErrorLevelWriter, MemoryOnlyWithoutAFileName)
{
    TErrorLevelWriter writer("", true, false);
    writer.Log(0, "kept", 2);
    EXPECT_EQ(writer.Lines().size(), 1u);
    EXPECT_TRUE(os::Files().ListFolder(folder.Path().string()).empty());
}

TEST_F(ErrorLevelWriter, UnwritableFolderFailsButKeepsTheLine)
{
    os::Files().WriteText(folder / "Logs", "a file where the folder should be");
    TErrorLevelWriter writer(LogPath(), true, true);
    EXPECT_THROW(writer.Log(0, "lost?", 2), EInOutError);
    EXPECT_EQ(writer.Lines(), (TStringList{"   INFO:  lost?"}));
}
