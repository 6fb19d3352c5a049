#pragma once
// Typed segment lengths: the key-entry tool's resize of a clicked segment, and the length of
// the wall segment the typed wall tools just drew. Both store the step their tool did not,
// on OK and Cancel alike (closing any other way is a Cancel).
#include "ui/core/key_entry.h"
#include "ui/sheets/sheet_dialog.h"

class QCheckBox;

class KeyEntryController : public SheetDialog {
    Q_OBJECT
public:
    KeyEntryController(QWidget* parent, KeyEntrySegment segment);
    void dismissSheet(QObject* sender) override;
    void reject() override { dismissSheet(nullptr); }

protected:
    void initializeControlStates() override;
    void applyValues() override;

private:
    KeyEntrySegment segment_;
    QLineEdit* lengthText_;
    RadioMatrix* locationButtons_;
    QCheckBox* linkButton_;
};

class WallKeyEntryController : public SheetDialog {
    Q_OBJECT
public:
    // Measures the segment start -> end itself.
    WallKeyEntryController(QWidget* parent, Poinz* start, Poinz* end, Objex* wall);
    void dismissSheet(QObject* sender) override;
    void reject() override { dismissSheet(nullptr); }

protected:
    void initializeControlStates() override;
    void applyValues() override;

private:
    float wallAngle = 0;
    float wallLength = 0;
    Objex* wallObject;
    Poinz* startPoint;
    Poinz* endPoint;
    // The wall tool that drew the segment: the step is named after it.
    int16_t drawingTool_;
    QLineEdit* lengthText_;
};

// Opens the sheets on their seams (null object or points: nothing).
void OpenKeyEntrySheet(CommandWindow* parent, Objex* object, Poinz* start, Poinz* end, float lengthOffset,
                       float initialLength, float angle);
bool OpenWallKeyEntrySheet(CommandWindow* parent, Poinz* start, Poinz* end, Objex* wall);
