#include "suite/FolderAccess.h"

#include "platform/core/Exceptions.h"
#include "platform/os/FileService.h"
#include "platform/os/LinuxFileService.h"
#include "platform/os/NamedLock.h"
#include "support/OsSandbox.h"
#include "support/ScriptedToolkit.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tarnwick {
namespace {

// The real file service with one step made to fail, as a folder without that right would.
class FailingFiles : public os::TLinuxFileService {
public:
    enum TFault { None, Create, Vanish, Read, ModifyOnce, Modify, DeleteRefused, DeleteRaises };
    TFault Fault = None;
    int Writes = 0;
    std::vector<std::string> Deletes;

    void WriteText(std::string_view path, std::string_view text) override
    {
        ++Writes;
        if (Fault == Create && Writes == 1) throw EInOutError("Access is denied: create");
        if (Fault == Modify && Writes >= 2)
            throw EInOutError("Access is denied: modify " + std::to_string(Writes));
        if (Fault == ModifyOnce && Writes == 2) throw EInOutError("Sharing violation");
        TLinuxFileService::WriteText(path, text);
    }
    bool FileExists(std::string_view path) override
    {
        return Fault != Vanish && TLinuxFileService::FileExists(path);
    }
    TStringList ReadLines(std::string_view path) override
    {
        if (Fault == Read) throw EInOutError("Access is denied: read");
        return TLinuxFileService::ReadLines(path);
    }
    bool DeleteFile(std::string_view path) override
    {
        Deletes.emplace_back(path);
        if (Fault == DeleteRefused && Deletes.size() == 1) return false;
        if (Fault == DeleteRaises && Deletes.size() == 1) throw EInOutError("Access is denied: delete");
        return TLinuxFileService::DeleteFile(path);
    }
};

class FolderAccessTest : public ::testing::Test {
protected:
    test::OsSandbox os;
    test::ScopedScriptedToolkit toolkit;
    std::shared_ptr<FailingFiles> files = std::make_shared<FailingFiles>();
    std::shared_ptr<os::IFileService> previous = os::SetFiles(files);
    std::string share = os.Paths.MakeFolder("unc/SRV01/VexholmTaxationShareDir");

    ~FolderAccessTest() override { os::SetFiles(previous); }

    bool TestFileLeft() const { return std::filesystem::exists(share + "/filetest.tst"); }
};

TEST_F(FolderAccessTest, FullAccessLeavesNoTestFileBehind)
{
    EXPECT_EQ(TestFolderAccess("\\\\SRV01\\VexholmTaxationShareDir\\"), 0);
    EXPECT_EQ(LastAccessFailure(), "");
    EXPECT_FALSE(TestFileLeft());
    EXPECT_EQ(files->Writes, 2);
    EXPECT_EQ(files->Deletes.front(), "\\\\SRV01\\VexholmTaxationShareDir\\filetest.tst");
    // Without the trailing backslash the same file is used.
    EXPECT_EQ(TestFolderAccess("\\\\SRV01\\VexholmTaxationShareDir"), 0);
    EXPECT_EQ(files->Deletes.back(), "\\\\SRV01\\VexholmTaxationShareDir\\filetest.tst");
}

TEST_F(FolderAccessTest, EachReasonWithItsMessage)
{
    struct TCase {
        FailingFiles::TFault Fault;
        int Reason;
        std::string Failure;
    };
    const TCase cases[] = {
        {FailingFiles::Create, 1, "Access is denied: create"},
        {FailingFiles::Vanish, 5, ""},
        {FailingFiles::Read, 2, "Access is denied: read"},
        {FailingFiles::Modify, 3, "Access is denied: modify 3"},
        {FailingFiles::ModifyOnce, 0, ""},
        {FailingFiles::DeleteRefused, 4, ""},
        {FailingFiles::DeleteRaises, 4, "Access is denied: delete"},
    };
    for (const TCase& c : cases) {
        files->Fault = c.Fault;
        files->Writes = 0;
        files->Deletes.clear();
        const int reason = TestFolderAccess("\\\\SRV01\\VexholmTaxationShareDir\\");
        EXPECT_EQ(reason, c.Reason) << c.Fault;
        EXPECT_EQ(LastAccessFailure(), c.Failure) << c.Fault;
        EXPECT_FALSE(TestFileLeft()) << c.Fault; // the clean-up deletes it whatever happened
    }
    EXPECT_EQ(FolderAccessReasons[4].Text, "No delete acccess");
}

TEST_F(FolderAccessTest, ModifyIsRetriedOnceAfterAQuarterSecond)
{
    files->Fault = FailingFiles::ModifyOnce;
    EXPECT_EQ(TestFolderAccess("\\\\SRV01\\VexholmTaxationShareDir\\"), 0);
    EXPECT_EQ(toolkit->SleptMilliseconds(), 250);
    files->Fault = FailingFiles::Modify;
    files->Writes = 0;
    EXPECT_EQ(TestFolderAccess("\\\\SRV01\\VexholmTaxationShareDir\\"), 3);
    EXPECT_EQ(files->Writes, 3);
}

TEST_F(FolderAccessTest, AFolderThatDoesNotExistCannotBeCreatedIn)
{
    files->Fault = FailingFiles::None;
    EXPECT_EQ(TestFolderAccess("\\\\SRV01\\NoSuchShare\\"), 1);
    EXPECT_NE(LastAccessFailure(), "");
}

// Records the lock's name and refuses or grants it.
class RecordingLocks : public os::INamedLocks {
public:
    std::string Name;
    bool Grant = true;
    bool Held = false;
    std::unique_ptr<os::INamedLock> Open(std::string_view name) override
    {
        Name = name;
        struct Lock : os::INamedLock {
            RecordingLocks& Owner;
            explicit Lock(RecordingLocks& owner) : Owner(owner) {}
            bool Acquire(int timeoutMs) override
            {
                EXPECT_EQ(timeoutMs, 300000);
                return Owner.Held = Owner.Grant;
            }
            void Release() override { Owner.Held = false; }
        };
        return std::make_unique<Lock>(*this);
    }
};

TEST_F(FolderAccessTest, RunsUnderTheLockNamedAfterTheTestFile)
{
    auto locks = std::make_shared<RecordingLocks>();
    const auto previousLocks = os::SetNamedLocks(locks);
    EXPECT_EQ(TestFolderAccess("\\\\SRV01\\VexholmTaxationShareDir\\"), 0);
    EXPECT_EQ(locks->Name, "__SRV01_VexholmTaxationShareDir_filetest.tst");
    EXPECT_FALSE(locks->Held);
    locks->Grant = false;
    EXPECT_THROW(TestFolderAccess("\\\\SRV01\\VexholmTaxationShareDir\\"), EOSError);
    EXPECT_EQ(files->Writes, 2); // nothing was tried without the lock
    os::SetNamedLocks(previousLocks);
}

} // namespace
} // namespace tarnwick
