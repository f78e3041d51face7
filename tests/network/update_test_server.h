#pragma once

// A loopback update server for tests: it takes the request, then answers
// with the pieces it was given, one event-loop turn apart, and closes the
// connection, or keeps silent, as told.

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace lirabo::test {

class TUpdateTestServer {
public:
    TUpdateTestServer()
    {
        FServer.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&FServer, &QTcpServer::newConnection, &FServer, [this] { Accept(); });
    }

    quint16 Port() const { return FServer.serverPort(); }
    // The "UpdateServer" setting that names this server.
    QString Address() const { return QStringLiteral("127.0.0.1:%1").arg(Port()); }

    // The reply, sent in these pieces once the request is whole.
    void SetReply(QList<QByteArray> Pieces) { FPieces = std::move(Pieces); }
    void SetReply(const QByteArray& Whole) { FPieces = {Whole}; }
    // The body of an ordinary reply with its status line and headers.
    void SetBody(const QByteArray& Body)
    {
        SetReply("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                 QByteArray::number(Body.size()) + "\r\n\r\n" + Body);
    }
    // Sends pieces one byte each.
    void SetReplyByteByByte(const QByteArray& Whole)
    {
        FPieces.clear();
        for (char c : Whole)
            FPieces.append(QByteArray(1, c));
    }
    // After the reply (if any) the connection stays open.
    void SetKeepOpen(bool KeepOpen) { FKeepOpen = KeepOpen; }
    // Answers at once instead of waiting for the whole request.
    void SetAnswerAtOnce(bool AtOnce) { FAnswerAtOnce = AtOnce; }

    // Everything the last connection sent.
    QByteArray Request() const { return FRequest; }
    int Connections() const { return FConnections; }
    // Connections the client has closed (or that broke).
    int Closed() const { return FClosed; }

private:
    void Accept()
    {
        while (QTcpSocket* socket = FServer.nextPendingConnection()) {
            ++FConnections;
            FRequest.clear();
            FAnswered = false;
            socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                FRequest += socket->readAll();
                if (!FAnswered && RequestWhole())
                    Answer(socket);
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
                ++FClosed;
                socket->deleteLater();
            });
            if (FAnswerAtOnce)
                Answer(socket);
        }
    }

    // The headers, the body of Content-Length bytes and its CR LF.
    bool RequestWhole() const
    {
        const qsizetype end = FRequest.indexOf("\r\n\r\n");
        if (end < 0)
            return false;
        const QByteArray key = "Content-Length: ";
        const qsizetype at = FRequest.indexOf(key);
        if (at < 0 || at > end)
            return true;
        const qsizetype lineEnd = FRequest.indexOf("\r\n", at);
        const qsizetype length = FRequest.mid(at + key.size(), lineEnd - at - key.size()).toLongLong();
        return FRequest.size() >= end + 4 + length + 2;
    }

    void Answer(QTcpSocket* Socket)
    {
        FAnswered = true;
        SendFrom(QPointer<QTcpSocket>(Socket), 0);
    }

    void SendFrom(QPointer<QTcpSocket> Socket, qsizetype Index)
    {
        if (!Socket || Socket->state() != QAbstractSocket::ConnectedState)
            return;
        if (Index == FPieces.size()) {
            if (!FKeepOpen)
                Socket->disconnectFromHost();
            return;
        }
        Socket->write(FPieces[Index]);
        Socket->flush();
        QTimer::singleShot(FPieces.size() > 1 ? 1 : 0, Socket, [this, Socket, Index] { SendFrom(Socket, Index + 1); });
    }

    QTcpServer FServer;
    QList<QByteArray> FPieces;
    bool FKeepOpen = false;
    bool FAnswerAtOnce = false;
    bool FAnswered = false;
    QByteArray FRequest;
    int FConnections = 0;
    int FClosed = 0;
};

}  // namespace lirabo::test
