#include "ipc/open_message.h"

#include <algorithm>
#include <cstring>

namespace lirabo::ipc {

namespace {

bool IsTokenByte(char Byte)
{
    return Byte > ' ' && Byte <= '~';
}

// Where the zero byte that ends a part lies in Data; Size when it has not come.
std::size_t PartEnd(const char* Data, std::size_t Size)
{
    const void* end = std::memchr(Data, '\0', Size);
    return end ? static_cast<std::size_t>(static_cast<const char*>(end) - Data) : Size;
}

}  // namespace

std::string EncodeOpenMessage(const std::string& Path)
{
    std::string message(Path.c_str());  // up to the first zero byte
    message.push_back('\0');
    return message;
}

bool IsActivationToken(const std::string& Token)
{
    return !Token.empty() && Token.size() <= kMaxActivationToken &&
           std::all_of(Token.begin(), Token.end(), IsTokenByte);
}

std::string EncodeActivationToken(const std::string& Token)
{
    if (!IsActivationToken(Token))
        return {};
    return Token + '\0';
}

TOpenMessageReader::TState TOpenMessageReader::Feed(const char* Data, std::size_t Size)
{
    while (Size > 0) {
        std::size_t taken = Size;
        switch (FState) {
            case TState::NeedPath:
                taken = TakePath(Data, Size);
                break;
            case TState::NeedToken:
                taken = TakeToken(Data, Size);
                break;
            case TState::Complete:
                // A sender that goes on after its token is not to be
                // believed about the token; the path it was answered for
                // stands.
                DropToken();
                return FState;
            case TState::Rejected:
                return FState;
        }
        Data += taken;
        Size -= taken;
    }
    return FState;
}

TOpenMessageReader::TState TOpenMessageReader::Finish()
{
    if (FState == TState::NeedPath) {
        FPath.clear();
        FState = TState::Rejected;
    } else if (FState == TState::NeedToken) {
        DropToken();
    }
    return FState;
}

std::size_t TOpenMessageReader::TakePath(const char* Data, std::size_t Size)
{
    const std::size_t end = PartEnd(Data, Size);
    // The zero byte counts toward the bound: a path is at most
    // kMaxOpenMessage bytes in all.
    if (FPath.size() + end + 1 > kMaxOpenMessage) {
        FPath.clear();
        FState = TState::Rejected;
        return Size;
    }
    FPath.append(Data, end);
    if (end == Size)
        return Size;
    FState = TState::NeedToken;
    return end + 1;
}

std::size_t TOpenMessageReader::TakeToken(const char* Data, std::size_t Size)
{
    const std::size_t end = PartEnd(Data, Size);
    // Judged as it comes, so that a sender of rubbish is let go at once.
    if (FToken.size() + end > kMaxActivationToken || !std::all_of(Data, Data + end, IsTokenByte)) {
        DropToken();
        return Size;
    }
    FToken.append(Data, end);
    if (end == Size)
        return Size;
    FState = TState::Complete;
    return end + 1;
}

void TOpenMessageReader::DropToken()
{
    FToken.clear();
    FState = TState::Complete;
}

}  // namespace lirabo::ipc
