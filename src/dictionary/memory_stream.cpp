#include "dictionary/memory_stream.h"

#include <algorithm>
#include <cstring>

namespace lirabo {

size_t TMemoryStream::Read(void* Buffer, size_t Count)
{
    const size_t n = std::min(Count, FData.size() - FPosition);
    if (n > 0)
        std::memcpy(Buffer, FData.data() + FPosition, n);
    FPosition += n;
    return n;
}

void TMemoryStream::Seek(int64_t Position)
{
    FPosition = static_cast<size_t>(std::clamp<int64_t>(Position, 0, Size()));
}

void TMemoryStream::Append(const void* Buffer, size_t Count)
{
    const auto* p = static_cast<const unsigned char*>(Buffer);
    FData.insert(FData.end(), p, p + Count);
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPosition = 0;
}

}  // namespace lirabo
