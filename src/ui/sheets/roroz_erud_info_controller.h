#pragma once
// What a photo view shows: its image file, a preview and the picture's size in pixels. It
// edits nothing; OK and Cancel both only close it.
#include "ui/sheets/sheet_dialog.h"

class QLabel;
class TextBox;
struct Objex;

class RorozErudInfoController : public SheetDialog {
    Q_OBJECT
public:
    // Opens the sheet for the photo view `object` on the window holding `parent`; nothing
    // unless both are given. The object is borrowed from the design while the sheet is up.
    static RorozErudInfoController* newRorozErudInfoSheetForParent(QWidget* parent, Objex* object);

    RorozErudInfoController(QWidget* parent, Objex* object);
    void setTargetObject(Objex* object) { targetObject_ = object; }
    Objex* targetObject() const { return targetObject_; }

protected:
    void initializeControlStates() override;

private:
    Objex* targetObject_;
    QLabel* previewImageView_;
    TextBox* pathTextView_;
    QLabel* imageWidthText_;
    QLabel* imageHeightText_;
};
