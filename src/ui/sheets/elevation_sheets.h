#pragma once
// Heights: the base elevation of the selected objects, the working elevation, the ceiling
// height of one floor.
#include "ui/sheets/sheet_dialog.h"

class QCheckBox;
struct Layer;

// Changes the design before it closes; an alert, when due, follows the closing.
class ObjectElevationController : public SheetDialog {
    Q_OBJECT
public:
    explicit ObjectElevationController(QWidget* parent);
    void dismissSheet(QObject* sender) override;
    // The objects float above the terrain while the box is on; the typed elevation is
    // then unused.
    void floatAboveTopoButtonChanged();

protected:
    void initializeControlStates() override;

private:
    QCheckBox* floatAboveTopoButton_;
    QLineEdit* elevationText_;
};

class WorkingElevationController : public SheetDialog {
    Q_OBJECT
public:
    explicit WorkingElevationController(QWidget* parent);

protected:
    void initializeControlStates() override;
    void applyValues() override;

private:
    QLineEdit* elevationText_;
};

// The floor's height, changed before the sheet closes; a value out of range is refused with
// an alert after it.
class CeilingHeightController : public SheetDialog {
    Q_OBJECT
public:
    // `targetLayer` is borrowed from the current design for as long as the sheet is up.
    CeilingHeightController(QWidget* parent, Layer* targetLayer);
    void dismissSheet(QObject* sender) override;
    Layer* targetLayer() const { return targetLayer_; }

protected:
    void initializeControlStates() override;

private:
    Layer* targetLayer_;
    QLineEdit* heightText_;
};
