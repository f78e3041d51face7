#pragma once

// A loopback HTTP server for download tests, on the test's main thread. It
// answers each request with exactly the bytes it is told: in pieces with
// pauses between them, cut short, forever, or not at all, and it keeps
// every request it received.

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>
#include <memory>

namespace lirabo::test {

struct TTestReply {
    QList<QByteArray> Pieces;  // sent in this order
    int PauseMs = 0;           // between two pieces
    bool KeepOpen = false;     // after the last piece the connection stays open
    QByteArray Endless;        // not empty: after the pieces, sent again and again

    // A status line, the headers and the body; with Length, a Content-Length
    // of Announced (the body's size when negative).
    static TTestReply Http(int Status, const QByteArray& Body, bool Length = true, qint64 Announced = -1,
                           const QByteArray& Extra = {})
    {
        QByteArray head = "HTTP/1.0 " + QByteArray::number(Status) +
                          " Reason\r\nContent-Type: application/octet-stream\r\n";
        if (Length)
            head += "Content-Length: " + QByteArray::number(Announced < 0 ? Body.size() : Announced) + "\r\n";
        TTestReply reply;
        reply.Pieces = {head + Extra + "\r\n" + Body};
        return reply;
    }
    static TTestReply Ok(const QByteArray& Body) { return Http(200, Body); }
    static TTestReply Redirect(const QByteArray& Location)
    {
        return Http(302, "moved", true, -1, "Location: " + Location + "\r\n");
    }
};

class TDownloadTestServer {
public:
    using THandler = std::function<TTestReply(const QByteArray& Request)>;

    TDownloadTestServer()
    {
        FServer.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&FServer, &QTcpServer::newConnection, &FServer, [this] { Accept(); });
    }

    quint16 Port() const { return FServer.serverPort(); }
    QString Url(const QString& Path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(Port()).arg(Path);
    }

    void SetReply(const TTestReply& Reply)
    {
        SetHandler([Reply](const QByteArray&) { return Reply; });
    }
    // Answers the first bytes of a connection, whole request or not (for a
    // client that speaks something else than HTTP).
    void SetAnswerAtOnce(bool AtOnce) { FAnswerAtOnce = AtOnce; }
    // Chooses the reply by the request, for several downloads at once.
    void SetHandler(THandler Handler) { FHandler = std::move(Handler); }

    // Every request received so far, whole, in order of arrival.
    const QList<QByteArray>& Requests() const { return FRequests; }
    int Connections() const { return FConnections; }

    // The path of a request ("/a?b") from its request line.
    static QByteArray Target(const QByteArray& Request)
    {
        const QList<QByteArray> words = Request.left(Request.indexOf("\r\n")).split(' ');
        return words.size() == 3 ? words[1] : QByteArray();
    }

private:
    void Accept()
    {
        while (QTcpSocket* socket = FServer.nextPendingConnection()) {
            ++FConnections;
            socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            auto request = std::make_shared<QByteArray>();
            auto answered = std::make_shared<bool>(false);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request, answered] {
                const QByteArray bytes = socket->readAll();
                if (*answered)
                    return;  // later bytes are read and ignored
                *request += bytes;
                if (!FAnswerAtOnce && !Whole(*request))
                    return;
                FRequests.append(*request);
                const TTestReply reply = FHandler ? FHandler(*request) : TTestReply::Http(404, "none");
                *answered = true;
                Send(QPointer<QTcpSocket>(socket), reply, 0);
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    // The headers and a body of Content-Length bytes.
    static bool Whole(const QByteArray& Request)
    {
        const qsizetype end = Request.indexOf("\r\n\r\n");
        if (end < 0)
            return false;
        const QByteArray head = Request.left(end).toLower();
        const qsizetype at = head.indexOf("\r\ncontent-length:");
        if (at < 0)
            return true;
        const qsizetype lineEnd = head.indexOf("\r\n", at + 2);
        const qint64 length =
            head.mid(at + 17, (lineEnd < 0 ? head.size() : lineEnd) - at - 17).trimmed().toLongLong();
        return Request.size() >= end + 4 + length;
    }

    void Send(QPointer<QTcpSocket> Socket, const TTestReply& Reply, qsizetype Index)
    {
        if (!Socket || Socket->state() != QAbstractSocket::ConnectedState)
            return;
        if (Index < Reply.Pieces.size()) {
            Socket->write(Reply.Pieces[Index]);
            if (Index + 1 < Reply.Pieces.size() && Reply.PauseMs > 0)
                QTimer::singleShot(Reply.PauseMs, Socket,
                                   [this, Socket, Reply, Index] { Send(Socket, Reply, Index + 1); });
            else
                Send(Socket, Reply, Index + 1);
            return;
        }
        if (!Reply.Endless.isEmpty()) {
            // Refilled as the client takes it, so the server's memory stays
            // bounded however long the client reads.
            const QByteArray piece = Reply.Endless;
            auto refill = [Socket, piece] {
                if (Socket && Socket->state() == QAbstractSocket::ConnectedState &&
                    Socket->bytesToWrite() < 65536)
                    Socket->write(piece);
            };
            QObject::connect(Socket, &QTcpSocket::bytesWritten, Socket, refill);
            refill();
            return;
        }
        if (!Reply.KeepOpen)
            Socket->disconnectFromHost();
    }

    QTcpServer FServer;
    THandler FHandler;
    QList<QByteArray> FRequests;
    int FConnections = 0;
    bool FAnswerAtOnce = false;
};

}  // namespace lirabo::test
