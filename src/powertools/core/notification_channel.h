#pragma once
// Where the dispatcher posts to plug-in tools and hears from them. The program installs its
// local socket channel at start-up (powertools/notification_channel.h); tests install the
// in-memory one. Messages are handed to observers on the main thread.
#include <functional>
#include <string>
#include <vector>

#include "powertools/core/power_tool_message.h"

class PowerToolChannel {
public:
    using Observer = std::function<void(const PowerToolMessage&)>;
    virtual ~PowerToolChannel() = default;
    // Sends the message to every connected tool.
    virtual void post(const PowerToolMessage& message) = 0;
    // Calls `observer` for every arriving message with that name (one observer per name).
    virtual void observe(const std::string& name, Observer observer) = 0;
    // The address tools connect to; empty when there is none.
    virtual std::string address() const { return {}; }
};

// The channel the dispatcher uses; null (nothing posted, nothing heard) until one is set.
// Not owned.
PowerToolChannel* PowerToolNotificationChannel();
void SetPowerToolNotificationChannel(PowerToolChannel* channel);

// Keeps what is posted and delivers what a test sends as if a tool had.
class InMemoryPowerToolChannel : public PowerToolChannel {
public:
    void post(const PowerToolMessage& message) override { posted.push_back(message); }
    void observe(const std::string& name, Observer observer) override;
    // Hands the message to its observer, as the socket channel does for a tool's message.
    void deliver(const PowerToolMessage& message);

    std::vector<PowerToolMessage> posted;

private:
    std::vector<std::pair<std::string, Observer>> observers_;
};
