#pragma once
// Single values of the design: the true north angle, the grid, the curve tension to smooth
// with, the trace image's scale.
#include <QSlider>
#include <cmath>

#include "ui/sheets/sheet_dialog.h"

class QComboBox;
class GridStyleView;

// A slider of degrees in tenths.
class AngleSlider : public QSlider {
    Q_OBJECT
public:
    AngleSlider(const char* outlet, QWidget* parent);
    double floatValue() const { return value() / 10.0; }
    void setFloatValue(double degrees) { setValue(static_cast<int>(std::lround(degrees * 10))); }
};

// Stores no undo step and does not redraw; the design reads as changed.
class CompassController : public SheetDialog {
    Q_OBJECT
public:
    explicit CompassController(QWidget* parent);
    // The field shows the slider's nearest whole degree.
    void angleSliderChanged();

protected:
    void initializeControlStates() override;
    void applyValues() override;

private:
    AngleSlider* angleSlider_;
    QLineEdit* angleText_;
};

// Spacings are held to their bounds when a field is left and again on OK.
class GridPropertiesController : public SheetDialog {
    Q_OBJECT
public:
    explicit GridPropertiesController(QWidget* parent);
    void controlTextDidEndEditing(QLineEdit* field);
    void gridStylePopUpButtonChanged();

protected:
    void initializeControlStates() override;
    void applyValues() override;

private:
    GridStyleView* gridStyleView_;
    QComboBox* gridStylePopUpButton_;
    QLineEdit* gridHorSpacingText_;
    QLineEdit* gridVerSpacingText_;
    QLineEdit* snapHorSpacingText_;
    QLineEdit* snapVerSpacingText_;
};

// Smooths the selected objects at the tension shown, which the next opening shows again.
class CurveTensionController : public SheetDialog {
    Q_OBJECT
public:
    explicit CurveTensionController(QWidget* parent);
    void tensionStepperChanged();

protected:
    void initializeControlStates() override;
    void applyValues() override;

private:
    Stepper* tensionStepper_;
    QLineEdit* tensionText_;
};

// The trace image's width and height in percent.
class TraceImageScaleController : public SheetDialog {
    Q_OBJECT
public:
    explicit TraceImageScaleController(QWidget* parent);
    void defaultsButtonChanged();

protected:
    void initializeControlStates() override;
    void applyValues() override;

private:
    QLineEdit* horScaleText_;
    QLineEdit* verScaleText_;
};
