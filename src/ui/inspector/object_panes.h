#pragma once
// Small panes: whether imported 3D objects cast shadows, the sizes and transparency of wall
// accessories (and the accessory tool's defaults), and the age plants were planted at.
#include "ui/inspector/inspector_pane.h"

class QCheckBox;
class QLabel;
struct InspectorEditRow;

class ObjectInspectorController : public InspectorPane {
    Q_OBJECT
public:
    QCheckBox* castShadowsButton = nullptr;
    // The angle, size and per-axis fields are laid out for their place but do nothing.
    void castShaddowsButtonChanged();

protected:
    void buildView(QWidget* view) override;
    void showObject(Objex* object, bool first) override;
};

class AccessoryInspectorController : public InspectorPane {
    Q_OBJECT
public:
    InspectorSlider* transparencySlider = nullptr;
    QLabel* transPercentLabel = nullptr;
    void controlTextDidEndEditing(QLineEdit* field) override;
    void transparencySliderChanged(int percent);

protected:
    void buildView(QWidget* view) override;
    void showToolDefaults() override;
    void showObject(Objex* object, bool first) override;
};

class PlantInspectorController : public InspectorPane {
    Q_OBJECT
public:
    void controlTextDidEndEditing(QLineEdit* field) override;
    int16_t prevAgeValue = 0;

protected:
    void buildView(QWidget* view) override;
    void showObject(Objex* object, bool first) override;
};

// The accessory pane's rows: its four length fields by outlet, then its transparency.
const InspectorEditRow* AccessoryRow(const char* outlet);
