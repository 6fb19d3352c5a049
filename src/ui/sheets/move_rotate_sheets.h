#pragma once
// Moving and turning by typed amounts: the selected objects or the whole plan.
#include "ui/sheets/sheet_dialog.h"

// X and Y (tag 0), or an angle and a distance (tag 1), of `coordinateSysMatrix`.
class MoveSheet : public SheetDialog {
    Q_OBJECT
public:
    void coordinateSysMatrixChanged(int tag);

protected:
    MoveSheet(QWidget* parent, const char* role, const QString& title, bool wholePlan);
    void initializeControlStates() override;
    void applyValues() override;

private:
    bool wholePlan_;
    RadioMatrix* coordinateSysMatrix_;
    QLabel* horizDistLabel_;
    QLabel* vertDistLabel_;
    QLineEdit* horizDistText_;
    QLineEdit* vertDistText_;
};

class MoveObjectsController : public MoveSheet {
    Q_OBJECT
public:
    explicit MoveObjectsController(QWidget* parent);
};

class MovePlanController : public MoveSheet {
    Q_OBJECT
public:
    explicit MovePlanController(QWidget* parent);
};

// The angle in degrees (tag 0 of `angleUnitSysMatrix`, minutes accepted) or radians (tag 1).
class RotateSheet : public SheetDialog {
    Q_OBJECT
public:
    // Converts the shown angle into the newly chosen unit.
    void angleUnitSysMatrixChanged(int tag);

protected:
    RotateSheet(QWidget* parent, const char* role, const QString& title, bool wholePlan);
    void initializeControlStates() override;
    void applyValues() override;

private:
    bool wholePlan_;
    QLineEdit* angleText_;
    RadioMatrix* angleUnitSysMatrix_;
};

class RotateObjectsController : public RotateSheet {
    Q_OBJECT
public:
    explicit RotateObjectsController(QWidget* parent);
};

class RotatePlanController : public RotateSheet {
    Q_OBJECT
public:
    explicit RotatePlanController(QWidget* parent);
};
