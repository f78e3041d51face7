#include "dictionary/stream.h"

#include "dictionary/exceptions.h"

namespace lirabo {

void TStream::ReadBuffer(void* Buffer, size_t Count)
{
    auto* p = static_cast<unsigned char*>(Buffer);
    while (Count > 0) {
        const size_t n = Read(p, Count);
        if (n == 0)
            throw EReadError();
        p += n;
        Count -= n;
    }
}

}  // namespace lirabo
