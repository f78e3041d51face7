#include "makrel/core/replacement_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <system_error>

namespace makrel {

namespace {

// Names taken by others are skipped; this many in a row means something
// other than chance is at work.
constexpr int kNameAttempts = 100;
// Room left in a file name (255 bytes at most) for the temporary's
// additions to Target's name.
constexpr size_t kMaxNameStem = 200;

std::string Message(int Error)
{
    return std::error_code(Error, std::generic_category()).message();
}

std::filesystem::path FolderOf(const std::string& File)
{
    const std::filesystem::path folder = std::filesystem::path(File).parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// Hidden, so that Lirabo's catalogue never lists a half-written dictionary,
// and unguessable, so that nobody can plant anything there beforehand.
std::string TemporaryName(const std::string& Target)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::random_device random;
    std::string name = "." + std::filesystem::path(Target).filename().string().substr(0, kMaxNameStem) + ".";
    for (int i = 0; i < 4; ++i) {
        for (unsigned bits = random(), n = 0; n < 4; ++n, bits >>= 8) {
            name += kDigits[(bits >> 4) & 0xF];
            name += kDigits[bits & 0xF];
        }
    }
    return (FolderOf(Target) / (name + ".part")).string();
}

}  // namespace

TReplacementFile::TReplacementFile(std::string Target) : FTarget(std::move(Target))
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = TemporaryName(FTarget);
        // O_EXCL never follows a link at the last step of the name, and
        // O_NOFOLLOW says so again; the mode is the usual one, narrowed by
        // the user's umask like any file the user creates.
        const int descriptor =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            FDescriptor = descriptor;
            FTemporary = name;
            return;
        }
        if (errno != EEXIST)
            Fail(errno);
    }
    Fail(EEXIST, "no free name for a temporary file");
}

TReplacementFile::~TReplacementFile()
{
    if (FDescriptor >= 0)
        ::close(FDescriptor);
    if (!FTemporary.empty())
        ::unlink(FTemporary.c_str());
}

void TReplacementFile::Fail(int Error, const std::string& What) const
{
    throw std::runtime_error("cannot write " + FTarget + ": " + (What.empty() ? Message(Error) : What));
}

void TReplacementFile::Write(const void* Data, size_t Size)
{
    if (FDescriptor < 0)
        throw std::logic_error("the file was already placed");
    const char* at = static_cast<const char*>(Data);
    while (Size > 0) {
        const ssize_t written = ::write(FDescriptor, at, Size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            Fail(written < 0 ? errno : ENOSPC);
        at += written;
        Size -= static_cast<size_t>(written);
    }
}

void TReplacementFile::Commit()
{
    if (FDescriptor < 0)
        throw std::logic_error("the file was already placed");
    // Synced before the rename: otherwise a crash soon after could leave
    // Target naming a file whose blocks never reached the disk.
    if (::fsync(FDescriptor) != 0)
        Fail(errno);
    // Linux closes the descriptor even when close reports an error, which
    // is a delayed write error: the file cannot be trusted then.
    const int closed = ::close(FDescriptor);
    FDescriptor = -1;
    if (closed != 0)
        Fail(errno);
    if (std::rename(FTemporary.c_str(), FTarget.c_str()) != 0)
        Fail(errno);
    FTemporary.clear();
    SyncFolderOf(FTarget);
}

void SyncFolderOf(const std::string& File)
{
    const int folder = ::open(FolderOf(File).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder the user may write to but not read cannot be opened to sync;
    // the file is in place all the same.
    if (folder < 0 && errno == EACCES)
        return;
    if (folder < 0)
        throw std::runtime_error("cannot write " + File + ": its folder: " + Message(errno));
    const int synced = ::fsync(folder);
    const int error = errno;
    ::close(folder);
    // Some file systems have no way to sync a folder and say so with EINVAL.
    if (synced != 0 && error != EINVAL)
        throw std::runtime_error("cannot write " + File + ": its folder: " + Message(error));
}

}  // namespace makrel
