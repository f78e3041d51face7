#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;
class QLocalSocket;

namespace lirabo::ipc {

// The running Lirabo's end of the open-dictionary message: a local socket
// at InstanceSocketPath() that only this user's processes may connect to.
// Each connection carries one message (see open_message.h); it is read as it
// arrives, never blocking the window, and its path is answered at once, so a
// sender never waits for what the window then does with it.
class TInstanceServer : public QObject {
    Q_OBJECT

public:
    // A client whose path is not whole by then is dropped; one whose path
    // is, has it delivered without a token.
    static constexpr int kReadTimeoutMs = 2000;
    static constexpr int kMaxClients = 16;  // more at once are turned away

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
    // ActivationToken is the sender's permission from the desktop for the
    // window to come to the front; empty when it sent none (an older sender,
    // or one started without a token) or none worth passing on.
    std::function<void(const QString& Path, const QString& ActivationToken)> OnMessage;

private:
    struct TConnection;

    void Accept();
    // Reads what Client has sent, answers a whole path and delivers a
    // complete message; Ended: the client has closed or gone silent.
    void Serve(QLocalSocket* Client, TConnection& Connection, bool Ended);

    QLocalServer* FServer = nullptr;
    int FClients = 0;
};

}  // namespace lirabo::ipc
