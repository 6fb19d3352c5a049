#pragma once
// The roof panes: roofs over walls and the roof tools (Roof1InspectorController), freehand roof
// panels and the panel tools (Roof2InspectorController). Both edit the pitch, shown twice (rise
// per run and angle) with a stepper; the panel pane adds the panel's elevation reference and
// the soffit defaults the four- and three-point roof tools give their panels.
#include "ui/inspector/inspector_pane.h"

class QFrame;
class QLabel;
class RadioMatrix;
struct InspectorEditRow;

class RoofPane : public InspectorPane {
    Q_OBJECT
public:
    Stepper* pitchRatioStepper = nullptr;
    QLineEdit* pitchRatioText = nullptr;
    QLineEdit* pitchAngleText = nullptr;
    QLabel* pitchRunText = nullptr;

    void controlTextDidEndEditing(QLineEdit* field) override;
    void pitchStepperChanged();

protected:
    explicit RoofPane(const InspectorEditRow& pitchRow) : pitchRow_(pitchRow) {}
    void buildView(QWidget* view) override;
    virtual void buildMore(QWidget* view, class QFormLayout* form) { (void)view, (void)form; }
    void showToolDefaults() override;
    void showObject(Objex* object, bool first) override;
    virtual void showMore(Objex* object, bool first) { (void)object, (void)first; }
    // Both fields show the pitch; the stepper and the angle field are enabled.
    void showPitch(float pitch);

private:
    enum class Source { Ratio, Angle, Stepper };
    void applyPitch(float pitch, Source source);
    const InspectorEditRow& pitchRow_;
};

class Roof1InspectorController : public RoofPane {
    Q_OBJECT
public:
    Roof1InspectorController();
};

class Roof2InspectorController : public RoofPane {
    Q_OBJECT
public:
    Roof2InspectorController();
    QFrame* soffitBox = nullptr;
    QCheckBox* includeSoffitsButton = nullptr;
    QCheckBox* baseSoffitButton = nullptr;
    QCheckBox* leftSoffitButton = nullptr;
    QCheckBox* rightSoffitButton = nullptr;
    RadioMatrix* elevationButtons = nullptr;
    QLabel* soffitLabel = nullptr;
    QLabel* soffitDepthLabel = nullptr;
    QLineEdit* soffitDepthText = nullptr;

    void controlTextDidEndEditing(QLineEdit* field) override;
    void elevationButtonsChanged(int tag);
    void includeSoffitsButtonChanged();

protected:
    void buildMore(QWidget* view, QFormLayout* form) override;
    void showToolDefaults() override;
    void showMore(Objex* object, bool first) override;

private:
    // The soffit group as the current tool uses it; none in object mode.
    void layOutSoffits(int16_t tool);
    void enableSoffitSides(bool on);
};

// The rows of the pitch (roofs, panels), the panel's elevation reference and the soffit depth.
const InspectorEditRow& RoofPitchRow();
const InspectorEditRow& PanelPitchRow();
const InspectorEditRow& PanelElevationRow();
const InspectorEditRow& SoffitDepthRow();
