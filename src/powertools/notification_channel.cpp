#include "powertools/notification_channel.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalSocket>
#include <QTimer>

#include <unistd.h>

#include "app/input_gate.h"
#include "files/content_paths.h"
#include "port/files.h"
#include "port/session_folders.h"

namespace {

// Longest socket path the system takes (sun_path less its terminator).
constexpr int kMaxSocketPath = 107;

}  // namespace

NotificationChannel::NotificationChannel(QObject* parent) : QObject(parent) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.setMaxPendingConnections(kMaxConnections);
    connect(&server_, &QLocalServer::newConnection, this, &NotificationChannel::acceptConnections);
}

NotificationChannel::~NotificationChannel() {
    if (PowerToolNotificationChannel() == this) SetPowerToolNotificationChannel(nullptr);
    for (auto& [socket, peer] : peers_) {
        socket->disconnect(this);
        socket->deleteLater();
    }
    server_.close();
}

QString NotificationChannel::defaultName() {
    const QString pid = QString::number(qint64(::getpid()));
    if (MakeApplicationTemporaryFolder()) {
        const QString path =
            QString::fromStdString(port::JoinPath(ApplicationTemporaryPath(), kPowerToolSocketPrefix)) + pid;
        if (path.toLocal8Bit().size() <= kMaxSocketPath) return path;
    }
    // Beside other users' in the shared temporary folder: what this user's killed sessions
    // left there goes first.
    const QString prefix = QStringLiteral("dovranix-powertool-%1-").arg(qint64(::getuid()));
    port::RemoveDeadSessionSockets(QDir::tempPath().toStdString(), prefix.toStdString());
    return prefix + pid;
}

bool NotificationChannel::listen(const QString& name) {
    // A socket left by a crashed run of this process ID would block the name.
    QLocalServer::removeServer(name);
    return server_.listen(name);
}

std::string NotificationChannel::address() const { return server_.fullServerName().toStdString(); }

void NotificationChannel::observe(const std::string& name, Observer observer) {
    for (auto& [n, o] : observers_)
        if (n == name) {
            o = std::move(observer);
            return;
        }
    observers_.emplace_back(name, std::move(observer));
}

void NotificationChannel::post(const PowerToolMessage& message) {
    const std::vector<uint8_t> bytes = EncodePowerToolMessage(message);
    if (bytes.empty()) return;
    for (auto& [socket, peer] : peers_) {
        socket->write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        socket->flush();
    }
}

void NotificationChannel::acceptConnections() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        if (int(peers_.size()) >= kMaxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto peer = std::make_unique<Peer>();
        peer->timeout = new QTimer(socket);
        peer->timeout->setSingleShot(true);
        peer->timeout->setInterval(kMessageTimeoutMs);
        connect(peer->timeout, &QTimer::timeout, this, [this, socket] { drop(socket); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        // What a tool sent just before hanging up still counts.
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            readFrom(socket);
            drop(socket);
        });
        peers_[socket] = std::move(peer);
        if (socket->bytesAvailable() > 0) readFrom(socket);
    }
}

void NotificationChannel::readFrom(QLocalSocket* socket) {
    const auto it = peers_.find(socket);
    if (it == peers_.end()) return;
    Peer& peer = *it->second;
    std::vector<PowerToolMessage> arrived;
    char chunk[1024];
    bool refused = false;
    while (!refused && socket->bytesAvailable() > 0) {
        const qint64 n = socket->read(chunk, sizeof chunk);
        if (n <= 0) break;
        peer.reader.append(reinterpret_cast<const uint8_t*>(chunk), size_t(n));
        for (PowerToolMessage m;;) {
            const auto result = peer.reader.next(&m);
            if (result == PowerToolMessageReader::Result::Message) arrived.push_back(std::move(m));
            else {
                refused = result == PowerToolMessageReader::Result::Refused;
                break;
            }
        }
    }
    if (refused) drop(socket);
    else if (peer.reader.pending()) {
        if (!peer.timeout->isActive()) peer.timeout->start();
    } else
        peer.timeout->stop();
    // Observers may post or run the event loop: hand the messages over once the peer is done.
    // An answer changes the design and rebuilds the scene: the input gate holds it while a
    // render, a loop or a sheet runs.
    for (const PowerToolMessage& m : arrived)
        for (const auto& [name, observer] : observers_)
            if (name == m.name && observer)
                InputGate::shared().admit(InputGate::Input::ToolAnswer, [observer, m] { observer(m); });
}

void NotificationChannel::drop(QLocalSocket* socket) {
    const auto it = peers_.find(socket);
    if (it == peers_.end()) return;
    peers_.erase(it);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}
