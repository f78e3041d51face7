#pragma once

#include <zlib.h>

#include <stdexcept>
#include <string>

namespace makrel::test {

// Writes Data gzip-compressed (as dictzip files are) to FileName.
inline void WriteGzip(const std::string& FileName, const std::string& Data)
{
    gzFile file = gzopen(FileName.c_str(), "wb9");
    if (!file)
        throw std::runtime_error("cannot write " + FileName);
    if (!Data.empty())
        gzwrite(file, Data.data(), static_cast<unsigned>(Data.size()));
    gzclose(file);
}

}  // namespace makrel::test
