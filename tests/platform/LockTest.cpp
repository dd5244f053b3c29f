#include "platform/core/Exceptions.h"
#include "platform/os/ExclusiveFile.h"
#include "platform/os/FileService.h"
#include "platform/os/NamedLock.h"
#include "support/ChildProcess.h"
#include "support/PathSandbox.h"
#include "support/ScopedEnvironment.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tarnwick::os {
namespace {

using test::ChildProcess;

class ExclusiveFileTest : public ::testing::Test {
protected:
    test::PathSandbox sandbox;
    const std::string lockPath = R"(\\SRV01\VexholmTaxationShareDir\Locks\Tool.use)";
    std::string localLock = sandbox.MakeFolder("unc/SRV01/VexholmTaxationShareDir/Locks") + "/Tool.use";

    std::string CreateFailure()
    {
        try {
            FileLocks().CreateExclusive(lockPath);
        } catch (const EOSError& error) {
            return error.Message();
        }
        return "(created)";
    }
};

TEST_F(ExclusiveFileTest, AHeldLockSurvivesTheStaleTestAndADeadHoldersLockDoesNot)
{
    ChildProcess holder("lockholder", {"exclusive", localLock});
    ASSERT_EQ(holder.ReadLine(), "locked");

    EXPECT_FALSE(Files().DeleteFile(lockPath));
    EXPECT_TRUE(Files().FileExists(lockPath));
    EXPECT_EQ(CreateFailure(),
              "Cannot create file \"" + lockPath +
                  "\". The process cannot access the file because it is being used by another process");

    holder.Kill();
    EXPECT_TRUE(Files().DeleteFile(lockPath));
    EXPECT_FALSE(Files().FileExists(lockPath));
}

TEST_F(ExclusiveFileTest, AnotherProcessCannotTakeOrEmptyOurLock)
{
    auto held = FileLocks().CreateExclusive(lockPath);
    EXPECT_EQ(held->Path(), lockPath);
    Files().WriteText(lockPath, "written while held");

    ChildProcess rival("lockholder", {"exclusive", localLock});
    EXPECT_EQ(rival.ReadLine().substr(0, 7), "failed:");
    EXPECT_EQ(rival.CloseAndWait(), 1);
    EXPECT_EQ(Files().ReadText(lockPath), "written while held");

    // The holder sees its own file as in use too.
    EXPECT_FALSE(Files().DeleteFile(lockPath));
    held.reset();
    EXPECT_TRUE(Files().DeleteFile(lockPath));
}

TEST_F(ExclusiveFileTest, AlwaysCreateEmptiesAStaleFile)
{
    Files().WriteText(lockPath, "left behind");
    auto held = FileLocks().CreateExclusive(lockPath);
    EXPECT_EQ(Files().FileSize(lockPath), 0);
}

TEST_F(ExclusiveFileTest, AMissingFolderIsReported)
{
    const std::string elsewhere = R"(\\SRV02\Nowhere\Locks\Tool.use)";
    try {
        FileLocks().CreateExclusive(elsewhere);
        ADD_FAILURE();
    } catch (const EOSError& error) {
        EXPECT_EQ(error.Message(),
                  "Cannot create file \"" + elsewhere + "\". The system cannot find the file specified");
    }
}

class NamedLockTest : public ::testing::Test {
protected:
    test::TempFolder temp;
    test::ScopedEnvironment tmpdir{"TMPDIR", temp.Path().string()};
    const std::string name = R"(__SRV01_VexholmTaxationShareDir_filetest.tst)";
};

TEST_F(NamedLockTest, LivesInTheTemporaryFolder)
{
    EXPECT_EQ(TFlockNamedLocks::LockFileOf(name), temp.Path().string() + "/tarnwick-" + name);
    EXPECT_EQ(TFlockNamedLocks::LockFileOf("C:/x"), temp.Path().string() + "/tarnwick-C:_x");
    std::string longName(400, 'n');
    EXPECT_LT(TFlockNamedLocks::LockFileOf(longName).size(), temp.Path().string().size() + 200);
    EXPECT_NE(TFlockNamedLocks::LockFileOf(longName), TFlockNamedLocks::LockFileOf(longName + "x"));
}

TEST_F(NamedLockTest, OneHolderAtATimeWithinAProcess)
{
    auto first = NamedLocks().Open(name);
    auto second = NamedLocks().Open(name);
    ASSERT_TRUE(first->Acquire(0));
    EXPECT_FALSE(second->Acquire(20));
    first->Release();
    EXPECT_TRUE(second->Acquire(0));
}

TEST_F(NamedLockTest, TimesOutAgainstAnotherProcessAndFollowsItsDeath)
{
    ChildProcess holder("lockholder", {"named", name});
    ASSERT_EQ(holder.ReadLine(), "locked");

    std::chrono::milliseconds slept(0);
    TFlockNamedLocks locks([&](std::chrono::milliseconds step) { slept += step; });
    auto lock = locks.Open(name);
    EXPECT_FALSE(lock->Acquire(300000));
    EXPECT_EQ(slept, std::chrono::milliseconds(300000));

    holder.Kill();
    slept = std::chrono::milliseconds(0);
    EXPECT_TRUE(lock->Acquire(300000));
    EXPECT_EQ(slept, std::chrono::milliseconds(0));
}

} // namespace
} // namespace tarnwick::os
