#pragma once
// The document's units and readout formats, and the plan's scale, zoom and lot size.
#include "ui/sheets/sheet_dialog.h"

class QComboBox;

// Edits working copies of the three formats; OK stores the shown unit system's format only.
class MeasurementUnitsController : public SheetDialog {
    Q_OBJECT
public:
    explicit MeasurementUnitsController(QWidget* parent);
    void unitsPopUpButtonChanged();
    void field2PopUpButtonChanged();
    void defaultsButtonChanged();
    // The pop-ups' choices into the working copies.
    void saveIntermediateValues();
    void setFieldVisibility();

protected:
    void initializeControlStates() override;
    void applyValues() override;

private:
    int unitTag() const;
    void loadField1();
    void loadField2();
    void loadField3();

    int16_t angleFormat = 0;
    int16_t imperialFormat = 0;
    int16_t metricFormat = 0;
    QComboBox* unitsPopUpButton_;
    QComboBox* field1PopUpButton_;
    QComboBox* field2PopUpButton_;
    QComboBox* field3PopUpButton_;
    QLabel* field2Label_;
    QLabel* field3Label_;
    RadioMatrix* readoutFormatMatrix_;
};

// Cells tagged by scale code, largest scale first.
class PlanScaleController : public SheetDialog {
    Q_OBJECT
public:
    explicit PlanScaleController(QWidget* parent);

protected:
    void initializeControlStates() override;
    void applyValues() override;

private:
    RadioMatrix* scaleMatrix_;
};

// The zoom of the view shown as a percentage; changes the view only.
class PlanZoomController : public SheetDialog {
    Q_OBJECT
public:
    explicit PlanZoomController(QWidget* parent);

protected:
    void initializeControlStates() override;
    void applyValues() override;

private:
    QLineEdit* zoomScaleText_;
};

// Whole feet or metres; filled when the sheet is made.
class LotSizeController : public SheetDialog {
    Q_OBJECT
public:
    explicit LotSizeController(QWidget* parent);

protected:
    void awakeFromNib() override;
    void initializeControlStates() override {}
    void applyValues() override;

private:
    QLineEdit* widthText_;
    QLineEdit* depthText_;
    QLabel* widthTextLabel_;
    QLabel* depthTextLabel_;
};
