#include "dictionary/file_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "dictionary/exceptions.h"

namespace lirabo {

namespace {

[[noreturn]] void RaiseOpenError(const std::string& FileName, int Error)
{
    throw EFOpenError("Cannot open file \"" + FileName + "\". " + std::strerror(Error));
}

}  // namespace

TFileStream::TFileStream(const std::string& FileName)
{
    FFile = std::fopen(FileName.c_str(), "rb");
    if (!FFile)
        RaiseOpenError(FileName, errno);
    // A folder opens fine on some systems but cannot be read as a dictionary.
    struct stat st {};
    if (fstat(fileno(FFile), &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        std::fclose(FFile);
        RaiseOpenError(FileName, error);
    }
    FSize = static_cast<int64_t>(st.st_size);
}

TFileStream::~TFileStream()
{
    if (FFile)
        std::fclose(FFile);
}

size_t TFileStream::Read(void* Buffer, size_t Count)
{
    const size_t n = std::fread(Buffer, 1, Count, FFile);
    if (n < Count && std::ferror(FFile))
        throw EReadError();
    FPosition += static_cast<int64_t>(n);
    return n;
}

void TFileStream::Seek(int64_t Position)
{
    FPosition = std::clamp<int64_t>(Position, 0, FSize);
    if (fseeko(FFile, static_cast<off_t>(FPosition), SEEK_SET) != 0)
        throw EReadError();
}

}  // namespace lirabo
