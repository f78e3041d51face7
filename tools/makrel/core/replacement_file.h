#pragma once

#include <cstddef>
#include <string>

namespace makrel {

// A new file that takes Target's place only once it is whole and on disk.
//
// The bytes go to a temporary beside Target (in its folder, so that the
// rename never crosses file systems) under a name of its own, created
// exclusively: a symbolic link or file planted at any name is never opened,
// let alone written through, and two writers of the same Target each have
// their own temporary, so the one that renames last wins and neither damages
// the other's file. Whatever fails before the rename removes the temporary.
//
// When Target is itself a symbolic link, the rename replaces the link and
// leaves the file it pointed to alone: writing through it would let whoever
// planted the link choose which file is overwritten, and the result is the
// same file a reader of Target would see had it been a plain file.
class TReplacementFile {
public:
    // Creates the temporary. Raises std::runtime_error naming Target.
    explicit TReplacementFile(std::string Target);
    // Closes and removes the temporary unless Commit placed it.
    ~TReplacementFile();
    TReplacementFile(const TReplacementFile&) = delete;
    TReplacementFile& operator=(const TReplacementFile&) = delete;

    // Raises std::runtime_error; the temporary then goes with the object.
    void Write(const void* Data, size_t Size);
    // Syncs the temporary, renames it to Target and syncs the folder, so
    // that after a crash Target is the old file or the new one, never a
    // part of either. Raises std::runtime_error.
    void Commit();

    // Where the bytes are going until Commit; empty once placed.
    const std::string& TemporaryPath() const { return FTemporary; }

private:
    [[noreturn]] void Fail(int Error, const std::string& What = {}) const;

    std::string FTarget;
    std::string FTemporary;
    int FDescriptor = -1;
};

// Syncs the folder holding File, so that a rename into it survives a crash.
// Raises std::runtime_error naming File.
void SyncFolderOf(const std::string& File);

}  // namespace makrel
