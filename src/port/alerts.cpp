#include "port/alerts.h"

namespace port {
namespace {

// Without a user interface every alert takes its default button at once.
class BuiltInAlerts : public Alerts {
public:
    int runModal(const Alert&) override { return 0; }
    void beginSheet(const Alert&, std::function<void(int)> onEnd) override {
        if (onEnd) onEnd(0);
    }
};

BuiltInAlerts sBuiltIn;
Alerts* sCurrent = &sBuiltIn;

} // namespace

Alerts& alerts() { return *sCurrent; }
void setAlerts(Alerts* a) { sCurrent = a ? a : &sBuiltIn; }

} // namespace port
