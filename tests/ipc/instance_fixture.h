#pragma once

#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ipc/instance_channel.h"

namespace lirabo::ipc {

// A private runtime folder and a private temporary folder, so that the
// socket is this test's and a Lirabo the developer runs is never reached;
// no activation token from the developer's desktop either.
class InstanceFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        FRuntime = MakeFolder();
        FTemporary = MakeFolder();
        Remember("XDG_RUNTIME_DIR");
        Remember("TMPDIR");
        Remember("XDG_ACTIVATION_TOKEN");
        ::setenv("XDG_RUNTIME_DIR", FRuntime.c_str(), 1);
        ::setenv("TMPDIR", FTemporary.c_str(), 1);
        ::unsetenv("XDG_ACTIVATION_TOKEN");
    }
    void TearDown() override
    {
        for (const auto& [name, value] : FOldEnvironment) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
        std::system(("rm -rf '" + FRuntime + "' '" + FTemporary + "'").c_str());
    }

    static std::string MakeFolder()
    {
        char pattern[] = "/tmp/lirabo-ipc-XXXXXX";
        EXPECT_NE(::mkdtemp(pattern), nullptr);
        return pattern;
    }
    void Remember(const std::string& Name)
    {
        const char* old = std::getenv(Name.c_str());
        FOldEnvironment.emplace_back(Name, old ? std::optional<std::string>(old) : std::nullopt);
    }

    static sockaddr_un InstanceAddress()
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, InstanceSocketPath().c_str());
        return address;
    }

    // A listening socket at the instance path; the caller accepts.
    static int Listen()
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const sockaddr_un address = InstanceAddress();
        EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
        EXPECT_EQ(::listen(fd, 4), 0);
        return fd;
    }

    // A client's end, connected to the instance path; -1 when nobody listens.
    static int Connect()
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const sockaddr_un address = InstanceAddress();
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
            ::close(fd);
            return -1;
        }
        return fd;
    }

    // The next byte from Fd within TimeoutMs; none at the end of the
    // connection or on timeout.
    static std::optional<char> ReadByte(int Fd, int TimeoutMs)
    {
        pollfd p{Fd, POLLIN, 0};
        char byte = 0;
        if (::poll(&p, 1, TimeoutMs) != 1 || ::recv(Fd, &byte, 1, 0) != 1)
            return std::nullopt;
        return byte;
    }

    std::string FRuntime;
    std::string FTemporary;
    std::vector<std::pair<std::string, std::optional<std::string>>> FOldEnvironment;
};

}  // namespace lirabo::ipc
