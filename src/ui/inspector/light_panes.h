#pragma once
// The light panes: the fixture-light tool's defaults and style, placed fixture lights, and
// flood lights hung in walls (with the flood-light tool's defaults when none is given). The
// sliders write on release only; the check boxes at once.
#include "ui/inspector/inspector_pane.h"

class QCheckBox;
class QLabel;
struct DocState;
struct InspectorEditRow;

class LightPane : public InspectorPane {
    Q_OBJECT
public:
    enum Control { LightOn, Glow, Ambient, Dimmer, Radius, Falloff };

    QCheckBox* lightOnButton = nullptr;
    QCheckBox* glowButton = nullptr;
    QCheckBox* ambientButton = nullptr;  // not in the flood-light pane
    InspectorSlider* dimmerSlider = nullptr;
    InspectorSlider* radiusSlider = nullptr;
    InspectorSlider* falloffSlider = nullptr;
    QLabel* dimmerPercentLabel = nullptr;
    QLabel* radiusValueLabel = nullptr;
    QLabel* falloffValueLabel = nullptr;

protected:
    explicit LightPane(bool ambient) : hasAmbient_(ambient) {}
    void buildView(QWidget* view) override;
    // Extra controls under the common ones (the tool's style list).
    virtual void buildExtra(QWidget* view, class QVBoxLayout* column) { (void)view, (void)column; }
    // Applies a value as the objects store it (light-off flag, glow-off value, ambient flag,
    // dimmer, radius, falloff).
    virtual void apply(Control control, float stored) = 0;

    // Shows (first) or merges stored values; a differing box turns off, a differing slider
    // goes to 0 with its label.
    void showValues(int32_t lightOff, float glowOff, int32_t ambient, int32_t dimmer, float radius, float falloff,
                    bool first);
    void showDefaults(const DocState* ds);
    // The light type's enabling; a later object only disables.
    void enableForType(int32_t lightType, bool first);

private:
    void sliderReleased(Control control, int value);
    bool hasAmbient_;
};

class LightToolInspectorController : public LightPane {
    Q_OBJECT
public:
    LightToolInspectorController() : LightPane(true) {}
    StyleTable* lightStyleTableView = nullptr;
    void tableViewSelectionDidChange();

protected:
    void buildExtra(QWidget* view, QVBoxLayout* column) override;
    void showToolDefaults() override;
    void apply(Control control, float stored) override;
};

class LightObjectInspectorController : public LightPane {
    Q_OBJECT
public:
    LightObjectInspectorController() : LightPane(true) {}

protected:
    void showObject(Objex* object, bool first) override;
    void apply(Control control, float stored) override;
};

class FloodLightInspectorController : public LightPane {
    Q_OBJECT
public:
    FloodLightInspectorController() : LightPane(false) {}

protected:
    void showToolDefaults() override;
    void showObject(Objex* object, bool first) override;
    void apply(Control control, float stored) override;
};

// The rows the object and flood-light panes apply, by control.
const InspectorEditRow& LightObjectRow(LightPane::Control control);
const InspectorEditRow& FloodLightRow(LightPane::Control control);
