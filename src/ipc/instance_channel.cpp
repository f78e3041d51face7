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

}  // namespace

std::string InstanceSocketPath()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = tmp && *tmp ? tmp : "/tmp";
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder + "/TfrmMain-" + std::to_string(::getuid());
}

TInstanceLock::TInstanceLock()
{
    const std::string path = InstanceSocketPath() + ".lock";
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return;
    struct stat info {};
    // Someone else's lock file would let them hold every start of ours.
    if (::fstat(fd, &info) != 0 || info.st_uid != ::getuid() || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return;
    }
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(fd);
            return;
        }
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

TSendResult SendOpenMessage(const std::string& Path, std::string& Error, int TimeoutMs)
{
    Error.clear();
    const std::string socketPath = InstanceSocketPath();
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
    std::size_t sent = 0;
    while (sent < message.size()) {
        if (!WaitFor(fd.Get(), POLLOUT, deadline)) {
            Error = "Lirabo did not take the message in time";
            return TSendResult::Failed;
        }
        const ssize_t n = ::send(fd.Get(), message.data() + sent, message.size() - sent, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            Error = std::strerror(errno);
            return TSendResult::Failed;
        }
        sent += static_cast<std::size_t>(n);
    }
    for (;;) {
        if (!WaitFor(fd.Get(), POLLIN, deadline)) {
            Error = "Lirabo did not answer in time";
            return TSendResult::Failed;
        }
        char answer = 1;
        const ssize_t n = ::recv(fd.Get(), &answer, 1, 0);
        if (n == 1 && answer == kOpenMessageAck)
            return TSendResult::Delivered;
        if (n < 0 && errno == EINTR)
            continue;
        Error = "Lirabo closed the connection without taking the message";
        return TSendResult::Failed;
    }
}

TSendResult SendOpenMessageWhenReady(const std::string& Path, std::string& Error, int TimeoutMs)
{
    // A starting Lirabo holds the lock until it listens.
    TInstanceLock lock;
    return SendOpenMessage(Path, Error, TimeoutMs);
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
