#pragma once

#include <cstddef>
#include <string>

namespace lirabo::ipc {

// The open-dictionary message on the wire: the file's path as bytes (the
// local file-name encoding), then one zero byte. An empty path asks the
// running window only to come to the front. The receiver answers with one
// zero byte once it has the whole path.
//
// After that answer a sender may add the activation token that the desktop
// gave its launch (Wayland lets a window come to the front only with one),
// then one zero byte, and close. The token comes after the answer so that a
// Lirabo from before tokens, which closes once it has answered and takes
// anything more for a broken message, still takes the path; the sender
// ignores whatever goes wrong with the token there. A sender without a token
// closes after the answer, as it always has.
inline constexpr std::size_t kMaxOpenMessage = 32 * 1024;  // zero byte included
inline constexpr std::size_t kMaxActivationToken = 1024;   // zero byte not included
inline constexpr char kOpenMessageAck = '\0';

// The bytes to send for Path. Never raises; a path with a zero byte in it is
// cut there, since the receiver stops at the first one.
std::string EncodeOpenMessage(const std::string& Path);

// What a desktop's activation token is made of: 1 to kMaxActivationToken
// printable ASCII characters, no spaces. Anything else is not passed on to
// the window.
bool IsActivationToken(const std::string& Token);

// The bytes to send for Token after the answer; none when Token is not an
// activation token.
std::string EncodeActivationToken(const std::string& Token);

// Collects one message from pieces as they arrive from an untrusted peer:
// the path, then perhaps a token. Holds at most kMaxOpenMessage bytes of
// path and kMaxActivationToken of token. A path that does not end within its
// bound rejects the message; a token that is not sound, or anything after
// it, costs the token only, never the path. Never raises.
class TOpenMessageReader {
public:
    enum class TState {
        NeedPath,   // the path is not whole yet
        NeedToken,  // the path is whole and due its answer; a token may follow
        Complete,   // the path and the token (perhaps none) are final
        Rejected,   // no message: the path is broken
    };

    // Takes the next Size bytes; returns the state after them.
    TState Feed(const char* Data, std::size_t Size);
    // The sender closed or went silent: a whole path stands without its
    // token (a token cut short is none); a path cut short is Rejected.
    TState Finish();
    TState State() const { return FState; }
    // The path once it is whole; empty once Rejected.
    const std::string& Path() const { return FPath; }
    // The token once Complete; empty when none came or it was dropped.
    const std::string& Token() const { return FToken; }

private:
    // Each takes bytes from the start of Data and returns how many it took.
    std::size_t TakePath(const char* Data, std::size_t Size);
    std::size_t TakeToken(const char* Data, std::size_t Size);
    void DropToken();

    std::string FPath;
    std::string FToken;
    TState FState = TState::NeedPath;
};

}  // namespace lirabo::ipc
