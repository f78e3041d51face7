#pragma once

#include <string>

namespace lirabo::ipc {

// The folder of the socket and its lock: $XDG_RUNTIME_DIR when it is this
// user's and closed to others; else "lirabo-<uid>" in the temporary folder
// ($TMPDIR, else /tmp), made with mode 0700 and used only when it is a real
// folder of this user that nobody else may enter. A shared temporary folder
// would let anyone plant a link or a lock under a name they can predict.
// Empty when no such folder can be had: the program then runs unreachable.
std::string InstanceFolder();

// The local socket by which a second start, makrel and the builder window
// reach the running Lirabo: "TfrmMain-<uid>" in InstanceFolder(), so that
// each user has one and tests isolate it with XDG_RUNTIME_DIR. Empty when
// there is no folder. Standard C++ and POSIX only: makrel uses it without Qt.
std::string InstanceSocketPath();

// How long a start waits for another that is starting: long enough for a
// loaded machine, short enough that a program stuck while holding the lock
// costs a second window rather than a start that never comes.
constexpr int kInstanceLockWaitMs = 4000;

// Serialises "is a Lirabo listening? if not, I will" between programs that
// start at the same moment: an exclusive lock on the socket path plus
// ".lock", held from construction to destruction (or Release). The lock dies
// with its process, so a crash never leaves it held. When the lock file
// cannot be made, or another holds it longer than WaitMs, Held() is false
// and the caller goes on unserialised.
class TInstanceLock {
public:
    explicit TInstanceLock(int WaitMs = kInstanceLockWaitMs);
    ~TInstanceLock();
    TInstanceLock(const TInstanceLock&) = delete;
    TInstanceLock& operator=(const TInstanceLock&) = delete;

    bool Held() const { return FDescriptor >= 0; }
    void Release();

private:
    int FDescriptor = -1;
};

enum class TSendResult {
    Delivered,  // the running window has the message
    NoProgram,  // no Lirabo of this user is listening
    Failed,     // one is there but did not take the message (Error says why)
};

// The activation token the desktop gave this program's launch
// ($XDG_ACTIVATION_TOKEN), for the running window to come to the front with
// on Wayland; empty when there is none or it is not one (IsActivationToken).
// Left in the environment: a start that becomes the running Lirabo itself
// needs it for its own window.
std::string ActivationTokenFromEnvironment();

// Hands Path (absolute; empty = only come to the front) to the running
// Lirabo and waits up to TimeoutMs for its answer; then hands over
// ActivationToken, when there is one, without waiting for anything (a Lirabo
// from before tokens has closed by then). Connects only to a socket that
// belongs to this user. Never raises.
TSendResult SendOpenMessage(const std::string& Path, std::string& Error, int TimeoutMs = 5000,
                            const std::string& ActivationToken = ActivationTokenFromEnvironment());

// The same for programs that never become the running Lirabo (makrel, the
// builder window): waits first for a Lirabo that is starting to take its
// socket, so that a message sent a moment after its start is not lost. Not
// for a holder of TInstanceLock.
TSendResult SendOpenMessageWhenReady(const std::string& Path, std::string& Error, int TimeoutMs = 5000,
                                     const std::string& ActivationToken = ActivationTokenFromEnvironment());

// Path made absolute against the current folder, without resolving links
// ("." and ".." segments folded). An empty text stays empty.
std::string AbsolutePath(const std::string& Path);

}  // namespace lirabo::ipc
