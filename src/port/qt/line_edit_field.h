#pragma once
// A QLineEdit seen as a port::TextField: Mac OS Roman on the logic's side, UTF-8 on Qt's.
#include "port/text_field.h"

class QLineEdit;

namespace port::qt {

class LineEditField : public TextField {
public:
    // The edit must outlive the adapter.
    explicit LineEditField(QLineEdit* edit) : edit_(edit) {}
    std::string text() const override;
    void setText(std::string_view macRoman) override;
    bool isEnabled() const override;
    void setEnabled(bool enabled) override;

private:
    QLineEdit* edit_;
};

}  // namespace port::qt
