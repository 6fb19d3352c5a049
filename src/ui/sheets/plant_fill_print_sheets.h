#pragma once
// Two sheets that hand their values on: the plant fill sheet plants the selected outlines of
// the current floor with the content palette's plant, and the 3D print sheet gives the live
// view's print routine a quality and a size.
#include <functional>

#include "ui/sheets/finder_sheets.h"

class QComboBox;

// Its settings are the plant filling globals, kept between openings; Cancel changes none.
class PlantFillController : public SheetDialog {
    Q_OBJECT
public:
    explicit PlantFillController(QWidget* parent);
    void dismissSheet(QObject* sender) override;

protected:
    void initializeControlStates() override;

private:
    QCheckBox* fillAreaButton_;
    QCheckBox* fillPerimeterButton_;
    QLineEdit* spacingText_;
    SearchProgress progress_;
};

class LV3DPrintController : public SheetDialog {
    Q_OBJECT
public:
    // `print` renders at the quality tag (0 the current image) and the size, then prints.
    using PrintRoutine = std::function<void(int quality, int width, int height)>;
    LV3DPrintController(QWidget* parent, PrintRoutine print);
    void printSizeButtonsChanged();
    void dismissSheet(QObject* sender) override;

protected:
    void initializeControlStates() override;

private:
    PrintRoutine print_;
    RadioMatrix* printSizeButtons_;
    QComboBox* renderQualityPopUpButton_;
    QLineEdit* printImageWidthText_;
    QLineEdit* printImageHeightText_;
};
