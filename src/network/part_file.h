#pragma once

#include <QString>

#include <cstddef>
#include <string>

namespace lirabo::network {

// The temporary file a download is written to, beside the file it is to
// become. It ends either renamed over that file, whole and on disk, or
// removed: the object closes its descriptor and removes the temporary
// whichever way it goes, so no failure on the way can leave either behind.
class TPartFile {
public:
    TPartFile() = default;
    ~TPartFile() { Discard(); }
    TPartFile(const TPartFile&) = delete;
    TPartFile& operator=(const TPartFile&) = delete;

    // A new, empty file in the folder of Target (made when missing), under
    // a name no other file there has.
    bool Open(const QString& Target);
    bool IsOpen() const { return FFile >= 0; }
    bool Write(const char* Data, size_t Length);
    // Puts the bytes on disk and closes the file, which stays under Path()
    // for a check. The file is closed whether or not this succeeds.
    bool Finish();
    // Renames the file over the target if Finish succeeded. Only then is
    // the file no longer removed.
    bool Install();
    // Closes and removes the file unless it was installed.
    void Discard();

    const std::string& Path() const { return FPath; }

private:
    bool CloseFile();

    int FFile = -1;
    bool FFinished = false;  // on disk and closed
    std::string FPath;    // empty once installed or removed
    std::string FTarget;  // in the file system's encoding
    std::string FFolder;
};

}  // namespace lirabo::network
