#pragma once

#include <QString>

#include <cstddef>
#include <string>

#include "dictionary/file_replacement.h"

namespace lirabo::network {

// The temporary file a download is written to, beside the file it is to
// become (the engine's TFileReplacement, with the folder made when missing
// and answers a download needs). It ends either renamed over that file,
// whole and on disk, or removed.
class TPartFile {
public:
    // A new, empty file in the folder of Target (made when missing).
    bool Open(const QString& Target);
    bool IsOpen() const { return FFile.IsOpen(); }
    bool Write(const char* Data, size_t Length) { return FFile.Write(Data, Length) == 0; }
    // Puts the bytes on disk and closes the file, which stays under Path()
    // for a check.
    bool Finish() { return FFile.Finish() == 0; }
    // Renames the file over the target if Finish succeeded.
    bool Install();
    // Closes and removes the file unless it was installed.
    void Discard() { FFile.Discard(); }

    const std::string& Path() const { return FFile.TemporaryPath(); }

private:
    std::string FTarget;  // in the file system's encoding
    TFileReplacement FFile;
};

}  // namespace lirabo::network
