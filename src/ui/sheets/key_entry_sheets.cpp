#include "ui/sheets/key_entry_sheets.h"

#include <QCheckBox>
#include <QLineEdit>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "tracking/tracking_state.h"
#include "app/core/sheet_values.h"

KeyEntryController::KeyEntryController(QWidget* parent, KeyEntrySegment segment)
    : SheetDialog(parent, "KeyEntry", localized("Resize Segment")), segment_(segment),
      lengthText_(addField("lengthText", localized("Length:"))),
      locationButtons_(new RadioMatrix("locationButtons",
                                       {localized("Both Ends"), localized("Red End"), localized("Green End")},
                                       {keyentry::kBothEnds, keyentry::kSecond, keyentry::kThird}, this)),
      linkButton_(new QCheckBox(localized("Move Linked Points"), this)) {
    linkButton_->setObjectName(QStringLiteral("linkButton"));
    addRow(localized("Move:"), locationButtons_);
    addRow(QString(), linkButton_);
    addButtons();
}

void KeyEntryController::initializeControlStates() {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    showLength(lengthText_, ConvertScreenToWorld(sLength, ds, 0));
    locationButtons_->selectTag(sDirection);
    linkButton_->setChecked(sKeyEntryLinked != 0);
}

void KeyEntryController::applyValues() {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    ResizeSegmentToLength(segment_, ConvertWorldToScreen(lengthOf(lengthText_), ds, 0),
                          static_cast<int16_t>(locationButtons_->selectedTag()), linkButton_->isChecked());
}

void KeyEntryController::dismissSheet(QObject* sender) {
    SheetDialog::dismissSheet(sender);
    FinishKeyEntry();
}

WallKeyEntryController::WallKeyEntryController(QWidget* parent, Poinz* start, Poinz* end, Objex* wall)
    : SheetDialog(parent, "WallKeyEntry", localized("Wall Length")), wallObject(wall), startPoint(start),
      endPoint(end), drawingTool_(gCurTool), lengthText_(addField("lengthText", localized("Length:"))) {
    wallAngle = GetLineLengthAndAngle(start->position[0], start->position[2], end->position[0], end->position[2],
                                      &wallLength);
    addButtons();
}

void WallKeyEntryController::initializeControlStates() {
    if (const DocState* ds = CurrentDocState()) showLength(lengthText_, ConvertScreenToWorld(wallLength, ds, 0));
}

void WallKeyEntryController::applyValues() {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    SetWallSegmentLength(wallObject, startPoint, endPoint, wallLength, wallAngle,
                         ConvertWorldToScreen(lengthOf(lengthText_), ds, 0));
}

void WallKeyEntryController::dismissSheet(QObject* sender) {
    SheetDialog::dismissSheet(sender);
    StoreWallToolStep(drawingTool_);
}

void OpenKeyEntrySheet(CommandWindow* parent, Objex* object, Poinz* start, Poinz* end, float lengthOffset,
                       float initialLength, float angle) {
    if (!object || !start || !end) return;
    SheetDialog::begin<KeyEntryController>(parent, KeyEntrySegment{object, start, end, lengthOffset, initialLength, angle});
}

bool OpenWallKeyEntrySheet(CommandWindow* parent, Poinz* start, Poinz* end, Objex* wall) {
    if (!start || !end || !wall) return false;
    return SheetDialog::begin<WallKeyEntryController>(parent, start, end, wall) != nullptr;
}
