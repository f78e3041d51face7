#include "network/update_check.h"

#include <QHostInfo>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace lirabo::network {

namespace {

// The address to connect to: the first IPv4 address of the answer, as the
// server is known to listen there, else the first address at all.
QHostAddress ChooseAddress(const QList<QHostAddress>& Addresses)
{
    for (const QHostAddress& address : Addresses)
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address;
    return Addresses.isEmpty() ? QHostAddress() : Addresses.first();
}

}  // namespace

TUpdateCheck::TUpdateCheck(QObject* Parent) : QObject(Parent), FTimer(new QTimer(this))
{
    FTimer->setSingleShot(true);
    connect(FTimer, &QTimer::timeout, this,
            [this] { Fail(TUpdateFailure::Timeout, QAbstractSocket::SocketTimeoutError); });
}

TUpdateCheck::~TUpdateCheck()
{
    Release();
}

void TUpdateCheck::SetTimeout(int Milliseconds)
{
    FTimeoutMs = Milliseconds;
}

bool TUpdateCheck::Start(const TUpdateServer& Server, const QByteArray& Request)
{
    if (Running())
        return false;
    FRequest = Request;
    FPort = Server.Port;
    FUpdateRequest.clear();
    FUpdateReply.clear();
    FState = TState::LookingUp;
    FTimer->start(FTimeoutMs);
    // The answer always arrives through the event loop, never inside this
    // call, and never after the lookup was aborted.
    FLookupId = QHostInfo::lookupHost(QString::fromStdString(Server.Host), this, SLOT(SocketLookup(QHostInfo)));
    return true;
}

void TUpdateCheck::SocketLookup(const QHostInfo& Info)
{
    if (FState != TState::LookingUp)
        return;
    FLookupId = -1;
    const QHostAddress address = ChooseAddress(Info.addresses());
    if (Info.error() != QHostInfo::NoError || address.isNull()) {
        Fail(TUpdateFailure::Lookup, QAbstractSocket::HostNotFoundError);
        return;
    }
    FSocket = new QTcpSocket(this);
    // Qt stops reading from the network once its buffer holds this much,
    // and the reply is taken out of it at every notice.
    FSocket->setReadBufferSize(kMaxReply + 1);
    // The request goes out line by line; without this every line after the
    // first would wait for the server to acknowledge the one before.
    FSocket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(FSocket, &QTcpSocket::connected, this, &TUpdateCheck::SocketConnected);
    connect(FSocket, &QTcpSocket::bytesWritten, this, &TUpdateCheck::SendRequest);
    connect(FSocket, &QTcpSocket::readyRead, this, &TUpdateCheck::SocketReadable);
    connect(FSocket, &QTcpSocket::disconnected, this, &TUpdateCheck::SocketClosed);
    connect(FSocket, &QTcpSocket::errorOccurred, this, &TUpdateCheck::SocketError);
    FState = TState::Connecting;
    FSocket->connectToHost(address, FPort);
}

void TUpdateCheck::SocketConnected()
{
    if (FState != TState::Connecting)
        return;
    FState = TState::Exchanging;
    FUpdateRequest = FRequest;
    FUpdateReply.clear();
    SendRequest();
}

void TUpdateCheck::SendRequest()
{
    // One line per write; the next goes once the socket has passed it on.
    // Whatever the socket could not take stays at the front and is sent
    // with the next notice.
    if (FState != TState::Exchanging || FUpdateRequest.isEmpty())
        return;
    const qsizetype lineEnd = FUpdateRequest.indexOf("\r\n");
    const qsizetype length = lineEnd < 0 ? FUpdateRequest.size() : lineEnd + 2;
    const qint64 sent = FSocket->write(FUpdateRequest.constData(), length);
    if (sent > 0)
        FUpdateRequest.remove(0, sent);
}

void TUpdateCheck::SocketReadable()
{
    if (FState == TState::Exchanging && !Receive())
        Fail(TUpdateFailure::TooLarge, QAbstractSocket::UnknownSocketError);
}

bool TUpdateCheck::Receive()
{
    while (FSocket->bytesAvailable() > 0) {
        const qint64 room = kMaxReply + 1 - FUpdateReply.size();
        const QByteArray piece = FSocket->read(std::min(FSocket->bytesAvailable(), room));
        if (piece.isEmpty())
            break;
        FUpdateReply += piece;
        if (FUpdateReply.size() > kMaxReply)
            return false;
    }
    return true;
}

void TUpdateCheck::SocketClosed()
{
    if (FState != TState::Exchanging)
        return;
    if (!Receive()) {
        Fail(TUpdateFailure::TooLarge, QAbstractSocket::UnknownSocketError);
        return;
    }
    const QByteArray reply = FUpdateReply;
    Release();
    emit Finished(reply);
}

void TUpdateCheck::SocketError(QAbstractSocket::SocketError Error)
{
    // The server's close is the normal end of the exchange; its own notice
    // follows.
    if (Error == QAbstractSocket::RemoteHostClosedError && FState == TState::Exchanging)
        return;
    const bool noSocket =
        Error == QAbstractSocket::SocketResourceError || Error == QAbstractSocket::UnsupportedSocketOperationError;
    Fail(noSocket ? TUpdateFailure::Socket : TUpdateFailure::Connect, Error);
}

void TUpdateCheck::Fail(TUpdateFailure Failure, int SocketError)
{
    if (FState == TState::Idle)
        return;
    Release();
    emit Failed(Failure, SocketError);
}

void TUpdateCheck::Release()
{
    FTimer->stop();
    if (FLookupId != -1) {
        QHostInfo::abortHostLookup(FLookupId);
        FLookupId = -1;
    }
    if (FSocket) {
        FSocket->disconnect(this);
        FSocket->abort();
        // Its own notices may still be on the stack.
        FSocket->deleteLater();
        FSocket = nullptr;
    }
    FRequest.clear();
    FUpdateRequest.clear();
    FUpdateReply.clear();
    FState = TState::Idle;
}

}  // namespace lirabo::network
