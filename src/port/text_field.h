#pragma once
// An editable one-line text field of a sheet or inspector pane, as the logic reads and writes
// it. Text crosses as the model holds it: 8-bit Mac OS Roman.
#include <string>
#include <string_view>

namespace port {

class TextField {
public:
    virtual ~TextField() = default;
    virtual std::string text() const = 0;
    virtual void setText(std::string_view macRoman) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
};

}  // namespace port
