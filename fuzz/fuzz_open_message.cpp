// The open-dictionary message reader takes bytes from any local process of
// the user: whatever arrives, in whatever pieces, it must end in a bounded
// path or a rejection.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ipc/open_message.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    using lirabo::ipc::TOpenMessageReader;
    if (Size == 0)
        return 0;
    // The first byte chooses the piece size, so that every split is reached.
    const size_t piece = Data[0] % 64 + 1;
    const char* bytes = reinterpret_cast<const char*>(Data + 1);
    const size_t size = Size - 1;

    TOpenMessageReader reader;
    TOpenMessageReader::TState state = TOpenMessageReader::TState::NeedMore;
    for (size_t at = 0; at < size; at += piece) {
        const TOpenMessageReader::TState before = state;
        state = reader.Feed(bytes + at, size - at < piece ? size - at : piece);
        // Rejected and Complete are final: nothing fed after them completes.
        if (before != TOpenMessageReader::TState::NeedMore && state == TOpenMessageReader::TState::Complete)
            std::abort();
    }
    if (state == TOpenMessageReader::TState::Complete) {
        const std::string& path = reader.Path();
        if (path.size() >= lirabo::ipc::kMaxOpenMessage || std::memchr(path.data(), 0, path.size()))
            std::abort();
        // A complete message is exactly the path and its zero byte.
        if (size != path.size() + 1 || std::memcmp(bytes, path.data(), path.size()) != 0)
            std::abort();
        if (lirabo::ipc::EncodeOpenMessage(path) != std::string(bytes, size))
            std::abort();
    } else if (!reader.Path().empty() && state == TOpenMessageReader::TState::Rejected) {
        std::abort();
    }
    return 0;
}
