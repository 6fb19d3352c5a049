#pragma once
// A text field that keeps its text and counts writes.
#include "port/text_field.h"

namespace dvxtest {

struct RecordingTextField : port::TextField {
    explicit RecordingTextField(std::string initial = {}) : value(std::move(initial)) {}
    std::string text() const override { return value; }
    void setText(std::string_view macRoman) override { value = macRoman, ++writes; }
    bool isEnabled() const override { return enabled; }
    void setEnabled(bool on) override { enabled = on; }
    std::string value;
    bool enabled = true;
    int writes = 0;
};

}  // namespace dvxtest
