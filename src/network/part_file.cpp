#include "network/part_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace lirabo::network {

namespace {

// The folder's entry for a renamed file is only durable once the folder
// itself is synced; without it a crash soon after could bring back the old
// file, or none at all.
bool SyncFolder(const std::string& Folder)
{
    const int folder = ::open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return false;
    const bool synced = ::fsync(folder) == 0;
    ::close(folder);
    return synced;
}

}  // namespace

bool TPartFile::Open(const QString& Target)
{
    Discard();
    if (Target.isEmpty())
        return false;
    const QString folder = QFileInfo(Target).absolutePath();
    if (!QDir().mkpath(folder))
        return false;
    FTarget = QFile::encodeName(Target).toStdString();
    FFolder = QFile::encodeName(folder).toStdString();
    const std::string base = FFolder + "/.lirabo-";
    for (int attempt = 0; attempt < 8 && FFile < 0; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, "%016llx.part",
                      static_cast<unsigned long long>(QRandomGenerator::global()->generate64()));
        const std::string path = base + suffix;
        FFile = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (FFile >= 0)
            FPath = path;
        else if (errno != EEXIST)
            return false;
    }
    return FFile >= 0;
}

bool TPartFile::Write(const char* Data, size_t Length)
{
    if (FFile < 0)
        return false;
    while (Length > 0) {
        const ssize_t written = ::write(FFile, Data, Length);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        Data += written;
        Length -= static_cast<size_t>(written);
    }
    return true;
}

bool TPartFile::Finish()
{
    if (FFile < 0)
        return false;
    // The file must be on disk before it replaces the old one, or a crash
    // could leave an empty file where a good one was.
    const bool synced = ::fsync(FFile) == 0;
    FFinished = CloseFile() && synced;
    return FFinished;
}

bool TPartFile::Install()
{
    if (!FFinished || FPath.empty())
        return false;
    if (::rename(FPath.c_str(), FTarget.c_str()) != 0)
        return false;
    FPath.clear();
    // The file is whole and in place, and is what the caller is told about;
    // a folder that cannot be synced only weakens what survives a crash, so
    // it does not turn the installation into a failure.
    SyncFolder(FFolder);
    return true;
}

void TPartFile::Discard()
{
    CloseFile();
    FFinished = false;
    if (!FPath.empty()) {
        ::unlink(FPath.c_str());
        FPath.clear();
    }
}

bool TPartFile::CloseFile()
{
    if (FFile < 0)
        return true;
    // Not retried on EINTR: on Linux the descriptor is gone either way, and
    // a second close could hit one another thread has just been given.
    const bool closed = ::close(FFile) == 0;
    FFile = -1;
    return closed;
}

}  // namespace lirabo::network
