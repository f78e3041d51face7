#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace lirabo::ipc {

// The running Lirabo's end of the open-dictionary message: a local socket
// at InstanceSocketPath() that only this user's processes may connect to.
// Each connection carries one message (see open_message.h); it is read as it
// arrives, never blocking the window, and answered at once, so a sender never
// waits for what the window then does with it.
class TInstanceServer : public QObject {
    Q_OBJECT

public:
    static constexpr int kReadTimeoutMs = 2000;  // a silent client is dropped after this
    static constexpr int kMaxClients = 16;       // more at once are turned away

    explicit TInstanceServer(QObject* Parent = nullptr);
    ~TInstanceServer() override;

    // Takes the socket name. Call only after SendOpenMessage found no
    // program, under a TInstanceLock: a socket file found here then belongs
    // to a program that has ended and is removed. False when the socket
    // cannot be made (the program then runs without it).
    bool Listen();
    bool Listening() const;

    // Called on the window's thread for every complete message, after the
    // sender has had its answer; an empty path asks only for the window.
    std::function<void(const QString& Path)> OnMessage;

private:
    void Accept();

    QLocalServer* FServer = nullptr;
    int FClients = 0;
};

}  // namespace lirabo::ipc
