#pragma once

#include <cstddef>
#include <string>

namespace lirabo::ipc {

// The open-dictionary message on the wire: the file's path as bytes (the
// local file-name encoding), then one zero byte. An empty path asks the
// running window only to come to the front. The receiver answers with one
// zero byte once it has the whole message.
inline constexpr std::size_t kMaxOpenMessage = 32 * 1024;  // zero byte included
inline constexpr char kOpenMessageAck = '\0';

// The bytes to send for Path. Never raises; a path with a zero byte in it is
// cut there, since the receiver stops at the first one.
std::string EncodeOpenMessage(const std::string& Path);

// Collects one message from pieces as they arrive from an untrusted peer.
// Holds at most kMaxOpenMessage bytes; a message that does not end within
// that is rejected, and so is anything fed after a finished message. Never
// raises.
class TOpenMessageReader {
public:
    enum class TState { NeedMore, Complete, Rejected };

    // Takes the next Size bytes; returns the state after them. Bytes after
    // the zero byte that ends the message make the state Rejected.
    TState Feed(const char* Data, std::size_t Size);
    TState State() const { return FState; }
    // The path while the state is Complete; empty once Rejected.
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
    TState FState = TState::NeedMore;
};

}  // namespace lirabo::ipc
