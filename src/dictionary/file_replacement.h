#pragma once

#include <cstddef>
#include <string>

namespace lirabo {

// A new file that takes Target's place only once it is whole and on disk;
// makrel writes its dictionaries and the download worker its downloads
// through it. Every call answers 0 or the errno that stopped it.
//
// The bytes go to a temporary beside Target (in its folder, so that the
// rename never crosses file systems) under a hidden name of its own,
// created exclusively: a symbolic link or file planted at any name is never
// opened, let alone written through, and two writers of the same Target each
// have their own temporary, so the one that renames last wins and neither
// damages the other's file. The descriptor is closed and the temporary
// removed on every way out but a successful Install.
//
// When Target is itself a symbolic link, the rename replaces the link and
// leaves the file it pointed to alone: writing through it would let whoever
// planted the link choose which file is overwritten.
class TFileReplacement {
public:
    TFileReplacement() = default;
    ~TFileReplacement() { Discard(); }
    TFileReplacement(const TFileReplacement&) = delete;
    TFileReplacement& operator=(const TFileReplacement&) = delete;

    // Creates the temporary; Target's folder must exist.
    int Open(const std::string& Target);
    bool IsOpen() const { return FDescriptor >= 0; }
    int Write(const void* Data, size_t Size);
    // Puts the bytes on disk and closes the file, which stays under
    // TemporaryPath() for a check. Closed whether or not this succeeds.
    int Finish();
    // Renames the finished file over Target. The folder's new entry is
    // durable only once SyncFolderOfFile(Target) has run.
    int Install();
    // Closes and removes the temporary unless it was installed.
    void Discard();

    // Where the bytes are going; empty once installed or discarded.
    const std::string& TemporaryPath() const { return FTemporary; }

private:
    std::string FTarget;
    std::string FTemporary;
    int FDescriptor = -1;
    bool FFinished = false;
};

// Syncs the folder holding File, so that a rename into it survives a crash.
// A folder one may write to but not read cannot be opened to sync, and some
// file systems cannot sync a folder at all: both count as done.
int SyncFolderOfFile(const std::string& File);

}  // namespace lirabo
