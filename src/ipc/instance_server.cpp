#include "ipc/instance_server.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
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
        const auto drop = [client] {
            client->abort();
            client->deleteLater();
        };
        auto reader = std::make_shared<TOpenMessageReader>();
        auto* timeout = new QTimer(client);
        timeout->setSingleShot(true);
        connect(timeout, &QTimer::timeout, client, drop);
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QLocalSocket::readyRead, this, [this, client, reader, drop, timeout] {
            char buffer[4096];
            for (;;) {
                const qint64 n = client->read(buffer, sizeof(buffer));
                if (n <= 0)
                    break;
                switch (reader->Feed(buffer, static_cast<std::size_t>(n))) {
                    case TOpenMessageReader::TState::NeedMore:
                        continue;
                    case TOpenMessageReader::TState::Rejected:
                        drop();
                        return;
                    case TOpenMessageReader::TState::Complete: {
                        timeout->stop();
                        client->write(&kOpenMessageAck, 1);
                        client->flush();
                        client->disconnectFromServer();
                        const QString path = QFile::decodeName(QByteArray::fromStdString(reader->Path()));
                        // After the answer, and outside this handler: the
                        // window may show a dialog, and the client may go.
                        QTimer::singleShot(0, this, [this, path] {
                            if (OnMessage)
                                OnMessage(path);
                        });
                        return;
                    }
                }
            }
        });
        timeout->start(kReadTimeoutMs);
        // Bytes may have come with the connection itself.
        if (client->bytesAvailable() > 0)
            emit client->readyRead();
    }
}

}  // namespace lirabo::ipc
