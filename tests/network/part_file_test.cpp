#include <sys/stat.h>

#include <atomic>
#include <cerrno>

#include "download_fixture.h"
#include "network/part_file.h"

// fsync as the download code sees it: the test program is linked with
// --wrap=fsync, so the library's calls come here and can be made to fail,
// for a file and for a folder apart.
namespace {
std::atomic<bool> gFailFileSync{false};
std::atomic<bool> gFailFolderSync{false};
}  // namespace

extern "C" int __real_fsync(int Fd);
extern "C" int __wrap_fsync(int Fd)
{
    struct stat info {};
    const bool folder = ::fstat(Fd, &info) == 0 && S_ISDIR(info.st_mode);
    if (folder ? gFailFolderSync.load() : gFailFileSync.load()) {
        errno = EIO;
        return -1;
    }
    return __real_fsync(Fd);
}

namespace {

using namespace lirabo::test;
using lirabo::network::TPartFile;

int OpenDescriptors()
{
    return static_cast<int>(QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

class PartFile : public TDownloadTest {
protected:
    void TearDown() override
    {
        gFailFileSync = false;
        gFailFolderSync = false;
        TDownloadTest::TearDown();
    }
};

// Every way a temporary file can end: the descriptor is closed and the
// folder holds either the old file or the new one, never a temporary.
TEST_F(PartFile, EveryEndClosesTheFileAndLeavesNoTemporary)
{
    const struct {
        const char* Name;
        bool Finish;        // Finish is called
        bool FailFileSync;
        bool FailFolderSync;
        bool TargetIsFolder;
        bool Installed;     // the outcome
    } cases[] = {
        {"whole", true, false, false, false, true},
        {"file sync fails", true, true, false, false, false},
        {"folder sync fails after the rename", true, false, true, false, true},
        {"rename fails", true, false, false, true, false},
        {"given up before it was finished", false, false, false, false, false},
    };
    const int before = OpenDescriptors();
    for (const auto& c : cases) {
        const QString folder = Path(c.Name);
        const QString target = folder + "/x.ldi";
        ASSERT_TRUE(QDir().mkpath(c.TargetIsFolder ? target : folder));
        if (!c.TargetIsFolder)
            WriteFile(target, "old");
        gFailFileSync = c.FailFileSync;
        gFailFolderSync = c.FailFolderSync;
        bool installed = false;
        {
            TPartFile part;
            ASSERT_TRUE(part.Open(target)) << c.Name;
            ASSERT_TRUE(part.Write("new", 3));
            EXPECT_FALSE(part.Install()) << c.Name << ": installed before it was finished";
            if (c.Finish) {
                EXPECT_EQ(part.Finish(), !c.FailFileSync) << c.Name;
                installed = part.Install();
            }
        }
        EXPECT_EQ(installed, c.Installed) << c.Name;
        EXPECT_EQ(Entries(folder), QStringList{"x.ldi"}) << c.Name;
        if (!c.TargetIsFolder) {
            EXPECT_EQ(ReadFile(target), c.Installed ? "new" : "old") << c.Name;
        }
        EXPECT_EQ(OpenDescriptors(), before) << c.Name;
    }
}

// Through the download: a file that cannot be put on disk fails as a file
// failure and leaves neither a temporary nor a descriptor behind.
TEST_F(PartFile, DownloadWhoseFileCannotBeSyncedInstallsNothing)
{
    // A first download opens what the process keeps for all of them.
    FServer.SetReply(TTestReply::Ok("old"));
    TFileDownload first;
    Prepare(first, "/x.ldi");
    ASSERT_EQ(Run(first)->Done, 1);
    ASSERT_TRUE(WaitUntil([] { return TFileDownload::LiveWorkers() == 0; }));

    FServer.SetReply(TTestReply::Ok("new dictionary"));
    const int before = OpenDescriptors();
    gFailFileSync = true;
    TFileDownload download;
    Prepare(download, "/x.ldi");
    const auto events = Run(download);
    EXPECT_EQ(events->Errors, 1);
    EXPECT_EQ(download.LastFailure(), TDownloadFailure::File);
    EXPECT_EQ(ReadFile(Path("x.ldi")), "old");
    EXPECT_EQ(Entries(FDir.path()), QStringList{"x.ldi"});
    ASSERT_TRUE(WaitUntil([] { return TFileDownload::LiveWorkers() == 0; }));
    EXPECT_TRUE(WaitUntil([before] { return OpenDescriptors() == before; }, 5000))
        << OpenDescriptors() << " descriptors open, " << before << " before";
}

}  // namespace
