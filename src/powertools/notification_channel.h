#pragma once
// The channel plug-in tools talk to the program through: a local socket server reachable
// only by this user. A tool connects, sends framed messages (power_tool_message.h) and hears
// the program's requests on the same connection. Messages reach observers on the main thread.
#include <QLocalServer>
#include <QObject>
#include <map>
#include <memory>
#include <vector>

#include "powertools/core/notification_channel.h"

class QLocalSocket;
class QTimer;

class NotificationChannel : public QObject, public PowerToolChannel {
    Q_OBJECT
public:
    // A partial message must be complete within this time, or the connection is dropped.
    static constexpr int kMessageTimeoutMs = 10000;
    // More tools than this at once are refused.
    static constexpr int kMaxConnections = 32;

    explicit NotificationChannel(QObject* parent = nullptr);
    ~NotificationChannel() override;

    // Listens on `name` (a path or a plain name); false when it cannot.
    bool listen(const QString& name);
    void post(const PowerToolMessage& message) override;
    void observe(const std::string& name, Observer observer) override;
    std::string address() const override;

    // The per-process name the program listens on: a socket in the user's private folder
    // or, without one, in the shared temporary folder (where dead sessions' sockets are
    // removed first).
    static QString defaultName();

private:
    struct Peer {
        PowerToolMessageReader reader;
        QTimer* timeout = nullptr;
    };
    void acceptConnections();
    void readFrom(QLocalSocket* socket);
    void drop(QLocalSocket* socket);

    QLocalServer server_;
    std::map<QLocalSocket*, std::unique_ptr<Peer>> peers_;
    std::vector<std::pair<std::string, Observer>> observers_;
};
