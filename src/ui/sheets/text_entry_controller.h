#pragma once
// The text of a text object: new text at the point the text tool was clicked, or the text,
// font, alignment or angle of an existing one.
#include "ui/sheets/sheet_dialog.h"

class FontSelection;
class QSlider;
class TextBox;
struct Objex;

class TextEntryController : public SheetDialog {
    Q_OBJECT
public:
    // `object` (borrowed from the design while the sheet is up) is the text to edit; null for
    // new text, which edits the text under the mouse-up point when there is one.
    TextEntryController(QWidget* parent, Objex* object);
    void setTargetObject(Objex* object) { targetObject_ = object; }
    Objex* targetObject() const { return targetObject_; }

    // The sheet's selected font becomes `record`'s, or the default text font's without one.
    void selectCurrentFont();
    void fontButtonChanged();
    FontSelection* fontSelection() const { return font_; }

    void alignmentButtonsChanged();
    void angleSliderChanged();
    void controlTextDidEndEditing();
    void dismissSheet(QObject* sender) override;
    void reject() override { dismissSheet(nullptr); }

protected:
    void initializeControlStates() override;

private:
    void showTarget(bool setEnabledStates);
    void setAngleSliderUsingTextAngle(int32_t angle);

    Objex* targetObject_;
    FontSelection* font_;
    RadioMatrix* alignmentButtons_;
    QSlider* angleSlider_;
    QLineEdit* angleText_;
    TextBox* textView_;
};
