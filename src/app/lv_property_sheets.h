#pragma once
// The live view's render and light property sheets, and the two small views of the light
// sheet that show where the sun stands. The sheets open on the live-view panel (on the main
// document window while the panel is hidden), show the current document's 3D settings and
// write them back on OK (render_core/lv_property_values.h decides what is written).
#include <QWidget>
#include <array>

#include "render/core/lv_property_values.h"
#include "ui/sheets/sheet_dialog.h"

class QCheckBox;
class QLineEdit;
class QSlider;
class LVLightPropertiesController;

// Answers the live view's Render Properties and Light Properties commands; Forget... lets go.
void RegisterLVPropertySheets();
void ForgetLVPropertySheets();

class LVGeneralPropertiesController : public SheetDialog {
    Q_OBJECT
public:
    explicit LVGeneralPropertiesController(QWidget* parent);
    void initializeControlStates() override;
    RenderSheetControls controlStates() const;

protected:
    void applyValues() override;

private:
    QSlider* slider(const char* outlet, const QString& label, int minimum, int maximum);

    // Doors, objects, plants, roofs, materials, topography, background animation,
    // electrical, plumbing, HVAC.
    std::array<QCheckBox*, 10> boxes_{};
    QSlider* navigationSpeedSlider_;
    QSlider* FOVSlider_;
    QSlider* CVOpacitySlider_;
    // Windows and doors, their trims, base and crown trims, objects.
    std::array<QSlider*, 4> qualitySliders_{};
};

// The compass: the sun on a circle round its centre at the light sheet's direction angle
// (0 north, up; 90 east, right), with a line toward it.
class LVDirectionAngleView : public QWidget {
    Q_OBJECT
public:
    explicit LVDirectionAngleView(QWidget* parent = nullptr);
    LVLightPropertiesController* dirAngleViewParentController = nullptr;
    static constexpr int kSunRadius = 50;
    static constexpr int kLineRadius = 30;
    QPointF center() const { return {width() / 2.0, height() / 2.0}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The sun's height: the sun on a quarter arc above the horizon at the overhead angle.
class LVOverheadAngleView : public QWidget {
    Q_OBJECT
public:
    explicit LVOverheadAngleView(QWidget* parent = nullptr);
    LVLightPropertiesController* ovrAngleViewParentController = nullptr;
    static constexpr int kArcRadius = 75;
    // Where the sun picture's lower left corner stands from its point on the arc.
    static constexpr QPointF kSunOffset{5, 13};
    // The arc's centre: the horizon's left end.
    QPointF pivot() const { return {11.0, height() - 20.0}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

class LVLightPropertiesController : public SheetDialog {
    Q_OBJECT
public:
    explicit LVLightPropertiesController(QWidget* parent);
    void initializeControlStates() override;
    LightSheetControls controlStates() const;
    int directionAngle() const;
    int overheadAngle() const;

    void trackingDirectionAngleSlider();
    void trackingOverheadAngleSlider();
    void changingDirectionAngleStepper();
    void changingOverheadAngleStepper();
    // A text field's value goes to its slider and stepper.
    void controlTextDidEndEditing(QLineEdit* field);
    void changingOptimalQualityButton();

protected:
    void applyValues() override;

private:
    struct AngleControls {
        QSlider* slider;
        Stepper* stepper;
        QLineEdit* text;
        QWidget* view;
    };
    AngleControls angleRow(const char* name, const QString& label, int maximum, QWidget* view);
    // Shows the value in the row's three controls and redraws its view.
    static void showAngle(const AngleControls& row, int degrees);
    QSlider* slider(const char* outlet, const QString& label, int minimum, int maximum);
    QCheckBox* box(const char* outlet, const QString& title);

    LVDirectionAngleView* directionAngleView_;
    LVOverheadAngleView* overheadAngleView_;
    QCheckBox* sunlightOnButton_;
    AngleControls direction_;
    AngleControls overhead_;
    QSlider* sunBrightnessSlider_;
    QSlider* sunShadowQualitySlider_;
    QCheckBox* optimalQualityButton_;
    QSlider* lightIntensitySlider_;
    QSlider* lightBrightnessSlider_;
    QCheckBox* backgroundLightingButton_;
    // What the controls showed when the sheet opened: OK sets the lights up again only when a
    // shading control moved from it.
    LightSheetControls opened_;
};
