#pragma once

#include <cstddef>
#include <string>

#include "dictionary/file_replacement.h"

namespace makrel {

// The engine's TFileReplacement with makrel's way of failing: every error
// raises std::runtime_error naming Target, never the temporary.
class TReplacementFile {
public:
    explicit TReplacementFile(std::string Target);

    void Write(const void* Data, size_t Size);
    // Syncs the temporary, renames it to Target and syncs the folder, so
    // that after a crash Target is the old file or the new one, never a
    // part of either.
    void Commit();

private:
    void Check(int Error) const;

    std::string FTarget;
    lirabo::TFileReplacement FFile;
};

// Syncs the folder holding File, so that a rename into it survives a crash.
// Raises std::runtime_error naming File.
void SyncFolderOf(const std::string& File);

}  // namespace makrel
