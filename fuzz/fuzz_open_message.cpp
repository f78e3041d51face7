// The open-dictionary message reader takes bytes from any local process of
// the user: whatever arrives, in whatever pieces, it must end in a bounded
// path (with at most a sound token) or a rejection.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ipc/open_message.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    using lirabo::ipc::TOpenMessageReader;
    using TState = TOpenMessageReader::TState;
    if (Size == 0)
        return 0;
    // The first byte chooses the piece size, so that every split is reached.
    const size_t piece = Data[0] % 64 + 1;
    const char* bytes = reinterpret_cast<const char*>(Data + 1);
    const size_t size = Size - 1;

    TOpenMessageReader reader;
    TState state = TState::NeedPath;
    for (size_t at = 0; at < size; at += piece) {
        const TState before = state;
        state = reader.Feed(bytes + at, size - at < piece ? size - at : piece);
        // Complete and Rejected are final.
        if ((before == TState::Complete || before == TState::Rejected) && state != before)
            std::abort();
        if (before == TState::NeedToken && state == TState::NeedPath)
            std::abort();
    }
    // The sender closes.
    state = reader.Finish();
    if (state != TState::Complete && state != TState::Rejected)
        std::abort();
    const std::string& path = reader.Path();
    const std::string& token = reader.Token();
    if (state == TState::Rejected) {
        if (!path.empty() || !token.empty())
            std::abort();
        return 0;
    }
    // The path is the bytes up to the first zero byte, bounded.
    if (path.size() >= lirabo::ipc::kMaxOpenMessage || std::memchr(path.data(), 0, path.size()))
        std::abort();
    if (size < path.size() + 1 || std::memcmp(bytes, path.data(), path.size()) != 0 || bytes[path.size()] != 0)
        std::abort();
    // A token kept is sound and is exactly what followed, with its zero byte.
    if (!token.empty()) {
        if (!lirabo::ipc::IsActivationToken(token))
            std::abort();
        if (lirabo::ipc::EncodeOpenMessage(path) + lirabo::ipc::EncodeActivationToken(token) !=
            std::string(bytes, size))
            std::abort();
    }
    return 0;
}
