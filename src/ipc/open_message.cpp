#include "ipc/open_message.h"

#include <cstring>

namespace lirabo::ipc {

std::string EncodeOpenMessage(const std::string& Path)
{
    std::string message(Path.c_str());  // up to the first zero byte
    message.push_back('\0');
    return message;
}

TOpenMessageReader::TState TOpenMessageReader::Feed(const char* Data, std::size_t Size)
{
    if (Size == 0)
        return FState;
    if (FState != TState::NeedMore) {
        // Whatever came before, a client that goes on sending is not to be
        // believed: its message is dropped as well.
        FPath.clear();
        return FState = TState::Rejected;
    }
    const void* end = std::memchr(Data, '\0', Size);
    const std::size_t take = end ? static_cast<std::size_t>(static_cast<const char*>(end) - Data) : Size;
    // The zero byte counts toward the bound: a message is at most
    // kMaxOpenMessage bytes in all.
    if (FPath.size() + take + 1 > kMaxOpenMessage) {
        FPath.clear();
        return FState = TState::Rejected;
    }
    FPath.append(Data, take);
    if (!end)
        return FState;
    if (take + 1 != Size) {
        // One message per connection: anything after it is not ours to guess at.
        FPath.clear();
        return FState = TState::Rejected;
    }
    return FState = TState::Complete;
}

}  // namespace lirabo::ipc
