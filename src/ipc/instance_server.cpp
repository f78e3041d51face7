#include "ipc/instance_server.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <memory>

#include "ipc/instance_channel.h"
#include "ipc/open_message.h"

namespace lirabo::ipc {

namespace {

// The socket file's mode already keeps other users out; asking the kernel
// who is calling also covers a file whose mode was changed behind our back.
bool PeerIsThisUser(QLocalSocket* Client)
{
#ifdef SO_PEERCRED
    ucred peer{};
    socklen_t size = sizeof(peer);
    if (::getsockopt(static_cast<int>(Client->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) !=
        0)
        return false;
    return peer.uid == ::getuid();
#else
    Q_UNUSED(Client);
    return true;
#endif
}

}  // namespace

// One client's message as it comes in.
struct TInstanceServer::TConnection {
    TOpenMessageReader Reader;
    QTimer* Timeout = nullptr;  // the client's child: lives as long as it
    bool Answered = false;
    bool Done = false;  // delivered or dropped: nothing more to do
};

TInstanceServer::TInstanceServer(QObject* Parent) : QObject(Parent), FServer(new QLocalServer(this))
{
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(FServer, &QLocalServer::newConnection, this, &TInstanceServer::Accept);
}

TInstanceServer::~TInstanceServer() = default;

bool TInstanceServer::Listen()
{
    const std::string path = InstanceSocketPath();
    if (path.empty())
        return false;
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    QLocalServer::removeServer(name);
    return FServer->listen(name);
}

bool TInstanceServer::Listening() const
{
    return FServer->isListening();
}

void TInstanceServer::Accept()
{
    while (QLocalSocket* client = FServer->nextPendingConnection()) {
        if (FClients >= kMaxClients || !PeerIsThisUser(client)) {
            client->abort();
            client->deleteLater();
            continue;
        }
        ++FClients;
        connect(client, &QObject::destroyed, this, [this] { --FClients; });
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        auto connection = std::make_shared<TConnection>();
        auto* timeout = new QTimer(client);
        timeout->setSingleShot(true);
        connection->Timeout = timeout;
        connect(client, &QLocalSocket::readyRead, this,
                [this, client, connection] { Serve(client, *connection, false); });
        // A sender gone or silent after its path still has it delivered,
        // without a token; bytes it sent before closing are read first.
        connect(client, &QLocalSocket::disconnected, this,
                [this, client, connection] { Serve(client, *connection, true); });
        connect(timeout, &QTimer::timeout, client,
                [this, client, connection] { Serve(client, *connection, true); });
        timeout->start(kReadTimeoutMs);
        // Bytes may have come with the connection itself.
        if (client->bytesAvailable() > 0)
            emit client->readyRead();
    }
}

void TInstanceServer::Serve(QLocalSocket* Client, TConnection& Connection, bool Ended)
{
    if (Connection.Done)
        return;
    using TState = TOpenMessageReader::TState;
    TOpenMessageReader& reader = Connection.Reader;
    char buffer[4096];
    while (reader.State() == TState::NeedPath || reader.State() == TState::NeedToken) {
        const qint64 n = Client->read(buffer, sizeof(buffer));
        if (n <= 0)
            break;
        reader.Feed(buffer, static_cast<std::size_t>(n));
    }
    const TState state = Ended ? reader.Finish() : reader.State();
    if (state == TState::Rejected) {
        Connection.Done = true;
        Client->abort();
        Client->deleteLater();
        return;
    }
    if (state == TState::NeedPath)
        return;
    if (!Connection.Answered) {
        Connection.Answered = true;
        if (Client->state() == QLocalSocket::ConnectedState) {
            Client->write(&kOpenMessageAck, 1);
            Client->flush();
        }
    }
    if (state != TState::Complete)
        return;
    Connection.Done = true;
    Connection.Timeout->stop();
    Client->disconnectFromServer();
    const QString path = QFile::decodeName(QByteArray::fromStdString(reader.Path()));
    const QString token =
        QString::fromLatin1(reader.Token().data(), static_cast<qsizetype>(reader.Token().size()));
    // After the answer, and outside this handler: the window may show a
    // dialog, and the client may go.
    QTimer::singleShot(0, this, [this, path, token] {
        if (OnMessage)
            OnMessage(path, token);
    });
}

}  // namespace lirabo::ipc
