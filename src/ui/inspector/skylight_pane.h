#pragma once
// The skylight pane: style, width, height and trim width of selected skylights, or the
// skylight tool's defaults. A changed skylight is refitted and its roof rebuilt once.
#include "ui/inspector/inspector_pane.h"

struct InspectorEditRow;

// The style row being shown; -1 while the selection mixes styles.
extern int gSkylightStyleRow;

class SkylightInspectorController : public InspectorPane {
    Q_OBJECT
public:
    StyleTable* skylightStyleTableView = nullptr;
    QLineEdit* skylightWidthText = nullptr;
    QLineEdit* skylightHeightText = nullptr;
    QLineEdit* skylightTrimText = nullptr;
    void controlTextDidEndEditing(QLineEdit* field) override;
    void tableViewSelectionDidChange();

protected:
    void buildView(QWidget* view) override;
    void showToolDefaults() override;
    void showObject(Objex* object, bool first) override;

private:
    void enableForStyle(int16_t style);
    // Fills the pane again from the current floor's selected skylights.
    void showSelectedSkylights();
};

// The rows of the three length fields by outlet, and of the style list.
const InspectorEditRow* SkylightRow(const char* outlet);
