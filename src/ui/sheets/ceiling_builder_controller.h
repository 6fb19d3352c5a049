#pragma once
// Floors, ceilings and soffits built along the one wall selected on the current floor.
#include "ui/sheets/sheet_dialog.h"

class QCheckBox;
class QGroupBox;

class CeilingBuilderController : public SheetDialog {
    Q_OBJECT
public:
    // Opens only when exactly one wall is selected on the current floor; its values seed the
    // elevations and the slab extensions.
    static CeilingBuilderController* newCeilingBuilderSheetForParent(CommandWindow* parent);

    explicit CeilingBuilderController(QWidget* parent);
    void controlTextDidEndEditing(QLineEdit* field);
    void buildSoffitsButtonChanged();
    void buildFloorsButtonChanged();
    void buildCeilingsButtonChanged();

protected:
    void initializeControlStates() override;
    void applyValues() override;

private:
    QCheckBox* box(const char* outlet, const QString& title);
    QLineEdit* field(const char* outlet, const QString& label);

    QCheckBox *buildSoffitsButton_, *buildFloorsButton_, *buildCeilingsButton_, *joinSoffitsButton_;
    QLineEdit *soffitThicknessText_, *soffitElevationText_, *soffitExtensionText_;
    QLineEdit *floorThicknessText_, *floorElevationText_, *floorExtensionText_;
    QLineEdit *ceilingThicknessText_, *ceilingElevationText_, *ceilingExtensionText_;
};
