#include "makrel/core/replacement_file.h"

#include <stdexcept>
#include <system_error>

namespace makrel {

namespace {

std::string Message(int Error)
{
    return std::error_code(Error, std::generic_category()).message();
}

}  // namespace

TReplacementFile::TReplacementFile(std::string Target) : FTarget(std::move(Target))
{
    Check(FFile.Open(FTarget));
}

void TReplacementFile::Check(int Error) const
{
    if (Error != 0)
        throw std::runtime_error("cannot write " + FTarget + ": " + Message(Error));
}

void TReplacementFile::Write(const void* Data, size_t Size)
{
    Check(FFile.Write(Data, Size));
}

void TReplacementFile::Commit()
{
    Check(FFile.Finish());
    Check(FFile.Install());
    SyncFolderOf(FTarget);
}

void SyncFolderOf(const std::string& File)
{
    if (const int error = lirabo::SyncFolderOfFile(File))
        throw std::runtime_error("cannot write " + File + ": its folder: " + Message(error));
}

}  // namespace makrel
