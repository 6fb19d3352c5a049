#pragma once
// A pane of length fields, each the field of one edit row: the tool's defaults in tool mode,
// the objects' values merged in object mode, an ended entry applied through its row. Panes
// with more controls add them after the fields.
#include <cmath>
#include <vector>

#include "ui/core/inspector_edits.h"
#include "ui/inspector/inspector_pane.h"

class QFormLayout;

// Open bounds of an accepted range, as the inclusive limits a row takes.
inline float Above(float v) { return std::nextafter(v, HUGE_VALF); }
inline float Below(float v) { return std::nextafter(v, -HUGE_VALF); }

class FieldRowsPane : public InspectorPane {
    Q_OBJECT
public:
    void controlTextDidEndEditing(QLineEdit* edit) override;
    // The field of an outlet, null for one the pane does not have.
    QLineEdit* text(const char* outlet) const;

protected:
    struct FieldRow {
        const InspectorEditRow* row;
        const char* label;
    };
    // `shows`: the objects whose values the fields show (others are ignored).
    FieldRowsPane(std::vector<FieldRow> fields, bool (*shows)(const Objex*)) : fields_(std::move(fields)), shows_(shows) {}
    void buildView(QWidget* view) override;
    virtual void buildMore(QFormLayout*, QWidget*) {}
    void showToolDefaults() override;
    void showObject(Objex* object, bool first) override;
    // After an accepted or refused entry of the row's field.
    virtual void entryEnded(const InspectorEditRow&, EditResult) {}

    std::vector<FieldRow> fields_;
    bool (*shows_)(const Objex*);
};
