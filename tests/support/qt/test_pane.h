#pragma once
// A pane standing in for the panes not built yet: registered under their class names, it
// records what the host hands it and, for objects of its type, shows and applies its rows
// (text fields, and optionally a style table and a slider) through the one edit walk.
#include <string>
#include <vector>

#include "ui/core/inspector_edits.h"
#include "ui/inspector/inspector_pane.h"

namespace dvxtest {

struct TestPaneRows {
    std::vector<InspectorEditRow> fields;     // one text field each, named after the outlet
    const InspectorEditRow* style = nullptr;  // "styleTable": row r is code styleBase + r
    int styleBase = 0, styleCount = 0;
    const InspectorEditRow* slider = nullptr;  // "heightSlider", inches, applied on release
};

class TestPane : public InspectorPane {
    Q_OBJECT
public:
    struct Call {
        Objex* object;  // null: the tool
        bool initialize;
        bool toolProperties;  // updateToolProperties
    };
    explicit TestPane(TestPaneRows rows) : rows_(std::move(rows)) {}

    void updateToolProperties() override;
    using InspectorPane::updatePropertiesForObject;
    void updatePropertiesForObject(Objex* object, bool initialize) override;
    void controlTextDidEndEditing(QLineEdit* field) override;

    std::vector<Call> calls;
    std::vector<EditResult> results;
    int styleRowShown = -1;  // the style row global of the pane family

protected:
    void buildView(QWidget* view) override;
    void showToolDefaults() override;
    void showObject(Objex* object, bool first) override;

private:
    void styleChanged();
    TestPaneRows rows_;
    StyleTable* styleTable_ = nullptr;
    InspectorSlider* slider_ = nullptr;
};

// Registers a test pane under each class name; each name gets its own instance.
void RegisterTestPanes(std::initializer_list<const char*> classNames, const TestPaneRows& rows = {});
TestPane* SharedTestPane(const char* className);

// Rows for the door pane: width (plan units in the record), style 500-512, height slider.
const TestPaneRows& DoorTestRows();
// A row for the top-level objects of the type: their elevation, in inches.
InspectorEditRow ElevationRow(int16_t type, const char* undoName);

}  // namespace dvxtest
