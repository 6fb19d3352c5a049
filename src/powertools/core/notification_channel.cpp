#include "powertools/core/notification_channel.h"

#include "port/seam.h"

namespace {

// The installed channel; its owner clears it before freeing it.
PowerToolChannel* sChannel = nullptr;
const port::GlobalReset kReset([] { sChannel = nullptr; });

}  // namespace

PowerToolChannel* PowerToolNotificationChannel() { return sChannel; }
void SetPowerToolNotificationChannel(PowerToolChannel* channel) { sChannel = channel; }

void InMemoryPowerToolChannel::observe(const std::string& name, Observer observer) {
    for (auto& [n, o] : observers_)
        if (n == name) {
            o = std::move(observer);
            return;
        }
    observers_.emplace_back(name, std::move(observer));
}

void InMemoryPowerToolChannel::deliver(const PowerToolMessage& message) {
    for (const auto& [n, o] : observers_)
        if (n == message.name && o) o(message);
}
