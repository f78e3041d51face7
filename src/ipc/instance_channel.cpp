#include "ipc/instance_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ipc/open_message.h"

namespace lirabo::ipc {

namespace {

using TClock = std::chrono::steady_clock;

int RemainingMs(TClock::time_point Deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - TClock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for Events on Fd until Deadline; false on timeout or error.
bool WaitFor(int Fd, short Events, TClock::time_point Deadline)
{
    for (;;) {
        pollfd p{Fd, Events, 0};
        const int r = ::poll(&p, 1, RemainingMs(Deadline));
        if (r > 0)
            return true;  // ready, or hung up: the next call says which
        if (r == 0 || errno != EINTR)
            return false;
    }
}

// Sends all of Bytes by Deadline. False when that fails, with Error saying
// why, or left empty when time ran out. Never raises SIGPIPE: a receiver
// that has closed is an answer, not a reason to end the sender.
bool SendAll(int Fd, const std::string& Bytes, TClock::time_point Deadline, std::string& Error)
{
    std::size_t sent = 0;
    while (sent < Bytes.size()) {
        if (!WaitFor(Fd, POLLOUT, Deadline))
            return false;
        const ssize_t n = ::send(Fd, Bytes.data() + sent, Bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            Error = std::strerror(errno);
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

class TDescriptor {
public:
    explicit TDescriptor(int Fd) : FFd(Fd) {}
    ~TDescriptor()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return FFd; }

private:
    int FFd;
};

std::string WithoutTrailingSlashes(std::string Folder)
{
    while (Folder.size() > 1 && Folder.back() == '/')
        Folder.pop_back();
    return Folder;
}

// Ours, and nobody else's to enter. Info comes from lstat for a folder we
// name ourselves (a link there is someone's plant) and from stat for the
// runtime folder the session names.
bool IsPrivateFolder(const struct stat& Info)
{
    return S_ISDIR(Info.st_mode) && Info.st_uid == ::getuid() && (Info.st_mode & 077) == 0;
}

}  // namespace

std::string InstanceFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/') {
        struct stat info {};
        if (::stat(runtime, &info) == 0 && IsPrivateFolder(info))
            return WithoutTrailingSlashes(runtime);
    }
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder =
        WithoutTrailingSlashes(tmp && *tmp ? tmp : "/tmp") + "/lirabo-" + std::to_string(::getuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !IsPrivateFolder(info))
        return {};
    return folder;
}

std::string InstanceSocketPath()
{
    const std::string folder = InstanceFolder();
    if (folder.empty())
        return {};
    return folder + "/TfrmMain-" + std::to_string(::getuid());
}

TInstanceLock::TInstanceLock(int WaitMs)
{
    const std::string socketPath = InstanceSocketPath();
    if (socketPath.empty())
        return;
    const std::string path = socketPath + ".lock";
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return;
    struct stat info {};
    // Someone else's lock file would let them hold every start of ours.
    if (::fstat(fd, &info) != 0 || info.st_uid != ::getuid() || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return;
    }
    const auto deadline = TClock::now() + std::chrono::milliseconds(WaitMs);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || TClock::now() >= deadline) {
            ::close(fd);
            return;
        }
        ::usleep(10 * 1000);
    }
    FDescriptor = fd;
}

TInstanceLock::~TInstanceLock()
{
    Release();
}

void TInstanceLock::Release()
{
    if (FDescriptor >= 0) {
        ::close(FDescriptor);  // closing drops the lock
        FDescriptor = -1;
    }
}

std::string ActivationTokenFromEnvironment()
{
    const char* token = std::getenv("XDG_ACTIVATION_TOKEN");
    return token && IsActivationToken(token) ? std::string(token) : std::string();
}

TSendResult SendOpenMessage(const std::string& Path, std::string& Error, int TimeoutMs,
                            const std::string& ActivationToken)
{
    Error.clear();
    const std::string socketPath = InstanceSocketPath();
    if (socketPath.empty()) {
        Error = "no private folder for the socket";
        return TSendResult::NoProgram;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.size() >= sizeof(address.sun_path)) {
        Error = "the socket path is too long: " + socketPath;
        return TSendResult::NoProgram;
    }
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);

    // Only a socket of our own is a Lirabo of ours; another user's socket
    // under that name would receive our file names.
    struct stat info {};
    if (::lstat(socketPath.c_str(), &info) != 0)
        return TSendResult::NoProgram;
    if (!S_ISSOCK(info.st_mode) || info.st_uid != ::getuid()) {
        Error = socketPath + " is not this user's socket";
        return TSendResult::NoProgram;
    }

    const std::string message = EncodeOpenMessage(Path);
    if (message.size() > kMaxOpenMessage) {
        Error = "the path is too long";
        return TSendResult::Failed;
    }

    TDescriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (fd.Get() < 0) {
        Error = std::strerror(errno);
        return TSendResult::Failed;
    }
    if (::connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        // Refused or gone: a socket file left by a program that has ended.
        return TSendResult::NoProgram;
    }

    const auto deadline = TClock::now() + std::chrono::milliseconds(TimeoutMs);
    if (!SendAll(fd.Get(), message, deadline, Error)) {
        if (Error.empty())
            Error = "Lirabo did not take the message in time";
        return TSendResult::Failed;
    }
    for (;;) {
        if (!WaitFor(fd.Get(), POLLIN, deadline)) {
            Error = "Lirabo did not answer in time";
            return TSendResult::Failed;
        }
        char answer = 1;
        const ssize_t n = ::recv(fd.Get(), &answer, 1, 0);
        if (n == 1 && answer == kOpenMessageAck)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        Error = "Lirabo closed the connection without taking the message";
        return TSendResult::Failed;
    }
    // The path is delivered whatever becomes of the token.
    const std::string token = EncodeActivationToken(ActivationToken);
    if (!token.empty()) {
        std::string ignored;
        SendAll(fd.Get(), token, deadline, ignored);
    }
    return TSendResult::Delivered;
}

TSendResult SendOpenMessageWhenReady(const std::string& Path, std::string& Error, int TimeoutMs,
                                     const std::string& ActivationToken)
{
    // A starting Lirabo holds the lock until it listens.
    TInstanceLock lock;
    return SendOpenMessage(Path, Error, TimeoutMs, ActivationToken);
}

std::string AbsolutePath(const std::string& Path)
{
    if (Path.empty())
        return Path;
    std::string joined = Path;
    if (Path.front() != '/') {
        std::vector<char> buffer(4096);
        while (!::getcwd(buffer.data(), buffer.size())) {
            if (errno != ERANGE || buffer.size() > (1u << 20))
                return Path;
            buffer.resize(buffer.size() * 2);
        }
        joined = std::string(buffer.data()) + "/" + Path;
    }
    // Fold "." and ".." the way a shell's cd -L would, without touching the disk.
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= joined.size()) {
        std::size_t slash = joined.find('/', start);
        if (slash == std::string::npos)
            slash = joined.size();
        std::string part = joined.substr(start, slash - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(std::move(part));
        }
        start = slash + 1;
    }
    std::string result;
    for (const std::string& part : parts)
        result += "/" + part;
    return result.empty() ? "/" : result;
}

}  // namespace lirabo::ipc
