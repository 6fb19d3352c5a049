#pragma once
// Alerts: modal, or as a sheet on the main document window with an end handler.
#include <functional>
#include <string>
#include <vector>

namespace port {

struct Alert {
    enum class Style { Warning, Informational, Critical };
    std::string message;      // UTF-8
    std::string informative;  // UTF-8, may be empty
    std::vector<std::string> buttons;  // first is the default; none means one "OK"
    Style style = Style::Warning;
};

class Alerts {
public:
    virtual ~Alerts() = default;
    // Index of the button chosen (0 = first).
    virtual int runModal(const Alert& alert) = 0;
    // Opens the alert as a sheet on the main document window and returns at once; `onEnd`
    // gets the chosen button's index when the sheet closes. Without a window it runs modal.
    virtual void beginSheet(const Alert& alert, std::function<void(int)> onEnd) = 0;
};

Alerts& alerts();
void setAlerts(Alerts* a);  // nullptr restores the built-in one (answers the first button)

} // namespace port
