#include "dictionary/file_replacement.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

namespace lirabo {

namespace {

// Names taken by others are skipped; this many in a row means something
// other than chance is at work.
constexpr int kNameAttempts = 100;
// Room left in a file name (255 bytes at most) for the temporary's
// additions to Target's name.
constexpr size_t kMaxNameStem = 200;

std::filesystem::path FolderOf(const std::string& File)
{
    const std::filesystem::path folder = std::filesystem::path(File).parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// Hidden, so that no catalogue lists a half-written file, and unguessable,
// so that nobody can plant anything there beforehand.
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

int TFileReplacement::Open(const std::string& Target)
{
    Discard();
    FTarget = Target;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = TemporaryName(FTarget);
        // O_EXCL never follows a link at the last step of the name, and
        // O_NOFOLLOW says so again; the mode is the usual one, narrowed by
        // the user's umask like any file the user creates.
        const int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            FDescriptor = descriptor;
            FTemporary = name;
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

int TFileReplacement::Write(const void* Data, size_t Size)
{
    if (FDescriptor < 0)
        return EBADF;
    const char* at = static_cast<const char*>(Data);
    while (Size > 0) {
        const ssize_t written = ::write(FDescriptor, at, Size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : ENOSPC;
        at += written;
        Size -= static_cast<size_t>(written);
    }
    return 0;
}

int TFileReplacement::Finish()
{
    if (FDescriptor < 0)
        return EBADF;
    // Synced before the rename: otherwise a crash soon after could leave
    // Target naming a file whose blocks never reached the disk.
    const int synced = ::fsync(FDescriptor) == 0 ? 0 : errno;
    // Linux closes the descriptor even when close reports an error (then a
    // delayed write error: the file cannot be trusted); a second close could
    // hit a descriptor another thread has just been given.
    const int closed = ::close(FDescriptor) == 0 ? 0 : errno;
    FDescriptor = -1;
    FFinished = synced == 0 && closed == 0;
    return synced != 0 ? synced : closed;
}

int TFileReplacement::Install()
{
    if (!FFinished || FTemporary.empty())
        return EBADF;
    if (std::rename(FTemporary.c_str(), FTarget.c_str()) != 0)
        return errno;
    FTemporary.clear();
    return 0;
}

void TFileReplacement::Discard()
{
    if (FDescriptor >= 0)
        ::close(FDescriptor);
    FDescriptor = -1;
    FFinished = false;
    if (!FTemporary.empty())
        ::unlink(FTemporary.c_str());
    FTemporary.clear();
}

int SyncFolderOfFile(const std::string& File)
{
    const int folder = ::open(FolderOf(File).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return errno == EACCES ? 0 : errno;
    const int synced = ::fsync(folder) == 0 ? 0 : errno;
    ::close(folder);
    return synced == EINVAL ? 0 : synced;
}

}  // namespace lirabo
