#pragma once
// Single values of the live view and of the plan: the walk-through eye height and fly-around
// distance (on the live view's window), the dimension style and font, the planting age of
// the selected plants and the design's plant growth projection.
#include "ui/sheets/sheet_dialog.h"

class FontSelection;
class QComboBox;

// Brings the window it was opened on forward when it closes, whichever button closed it.
class WalkElevationController : public SheetDialog {
    Q_OBJECT
public:
    explicit WalkElevationController(QWidget* parent);
    void dismissSheet(QObject* sender) override;

protected:
    void initializeControlStates() override;

private:
    QLineEdit* elevationText_;
};

class FlyAltitudeController : public SheetDialog {
    Q_OBJECT
public:
    explicit FlyAltitudeController(QWidget* parent);
    void dismissSheet(QObject* sender) override;

protected:
    void initializeControlStates() override;

private:
    QLineEdit* altitudeText_;
};

class DimensionPropertiesController : public SheetDialog {
    Q_OBJECT
public:
    explicit DimensionPropertiesController(QWidget* parent);
    // The selected font becomes the design's dimension font.
    void selectCurrentFont();
    void fontButtonChanged();
    FontSelection* fontSelection() const { return font_; }

protected:
    void initializeControlStates() override;
    void applyValues() override;

private:
    FontSelection* font_;
    QComboBox* dimStylePopUpButton_;
};

class PlantingAgeController : public SheetDialog {
    Q_OBJECT
public:
    explicit PlantingAgeController(QWidget* parent);

protected:
    void initializeControlStates() override;
    void applyValues() override;

private:
    QLineEdit* plantAgeText_;
};

class PlantGrowthProjController : public SheetDialog {
    Q_OBJECT
public:
    explicit PlantGrowthProjController(QWidget* parent);

protected:
    void initializeControlStates() override;
    void applyValues() override;

private:
    QLineEdit* maxAgeText_;
};
