#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QObject>

#include "network/update_server.h"

class QHostInfo;
class QTcpSocket;
class QTimer;

namespace lirabo::network {

// Why a check ended before the server closed the connection.
enum class TUpdateFailure {
    Lookup,    // the host name could not be resolved
    Socket,    // no socket could be made
    Connect,   // the connection failed or broke before the server closed it
    Timeout,   // the whole exchange took longer than its limit
    TooLarge,  // the reply grew beyond kMaxReply
};

// One exchange with the update server, on the thread that owns the object
// and without blocking it: the host lookup, the connection, the request sent
// line by line, and the reply collected until the server closes the
// connection. The reply is bounded and the whole exchange has a time limit,
// so a server that sends without end or never closes cannot keep a check
// alive. One exchange at a time.
class TUpdateCheck : public QObject {
    Q_OBJECT

public:
    static constexpr int kDefaultTimeoutMs = 15000;
    static constexpr qsizetype kMaxReply = 64 * 1024;

    explicit TUpdateCheck(QObject* Parent = nullptr);
    ~TUpdateCheck() override;

    // The limit of the next exchange, from its start to the server's close.
    void SetTimeout(int Milliseconds);

    // Starts an exchange that sends Request to Server. False, and nothing
    // happens, while an exchange runs.
    bool Start(const TUpdateServer& Server, const QByteArray& Request);
    bool Running() const { return FState != TState::Idle; }

signals:
    // The server closed the connection; Reply is everything it sent.
    void Finished(const QByteArray& Reply);
    // The exchange ended early. SocketError is the socket's error
    // (QAbstractSocket::SocketError), UnknownSocketError when none applies.
    void Failed(lirabo::network::TUpdateFailure Failure, int SocketError);

private slots:
    // A slot by name: Qt 6.4 leaks the functor of an aborted lookup.
    void SocketLookup(const QHostInfo& Info);

private:
    enum class TState { Idle, LookingUp, Connecting, Exchanging };

    void SocketConnected();
    void SendRequest();
    void SocketReadable();
    void SocketClosed();
    void SocketError(QAbstractSocket::SocketError Error);
    // Takes what the socket holds into FUpdateReply; false beyond the bound.
    bool Receive();
    void Fail(TUpdateFailure Failure, int SocketError);
    // Ends the lookup, the socket and the timer; back to Idle.
    void Release();

    TState FState = TState::Idle;
    int FTimeoutMs = kDefaultTimeoutMs;
    int FLookupId = -1;
    quint16 FPort = 0;
    QTcpSocket* FSocket = nullptr;
    QTimer* FTimer = nullptr;
    QByteArray FRequest;        // the request of this exchange
    QByteArray FUpdateRequest;  // the part of it not yet sent
    QByteArray FUpdateReply;    // the reply received so far
};

}  // namespace lirabo::network
