#include "model/deck_step_records.h"

#include <algorithm>

#include "model/attachments.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/transforms.h"

namespace {

constexpr RGBColor kNoColor{0xFFFF, 0xFFFF, 0xFFFF};
constexpr int16_t kFullScale = 100;

Poinz* StepPoint(const Poinz* edgeStart, float angle, float distance, Objex* step) {
    float dh = 0, dd = 0;
    GetPointFromLengthAndAngle(angle, distance, &dh, &dd);
    return CreatePoint(1, 0, 0, 0, 0, 0, edgeStart->position[0] + dh, 0, edgeStart->position[2] + dd, 0, 0, 0,
                       0, 0, 0, step);
}

}  // namespace

AttachmentRecord* NewDeckStepRecord(Poinz* edgeStart, Poinz* edgeEnd, float centreDistance, float width) {
    AttachmentRecord* r = NewAttachmentRecordOnSegment(objtype::kDeckSteps, edgeStart, edgeEnd, centreDistance);
    if (!r) return nullptr;
    const DocState* ds = CurrentDocState();
    r->width = width;
    r->height = ConvertWorldToScreen(ds->deckStepSizeB, ds, 0);
    r->directionFlag = ds->deckStepLeftRail;
    r->frameFlag = ds->deckStepRightRail;
    r->insideTrimTexture = r->outsideTrimTexture = 0;
    r->insideTrimScale[0] = r->insideTrimScale[1] = kFullScale;
    r->outsideTrimScale[0] = r->outsideTrimScale[1] = kFullScale;
    r->insideTrimColor = r->outsideTrimColor = kNoColor;
    return r;
}

void AddDeckSteps(Objex* deck, Poinz* edgeStart, Poinz* edgeEnd) {
    DocState* ds = CurrentDocState();
    if (!deck || !edgeStart || !edgeEnd || !ds) return;
    float length = 0;
    const float angle = GetLineLengthAndAngle(edgeStart->position[0], edgeStart->position[2], edgeEnd->position[0],
                                              edgeEnd->position[2], &length);
    const float width = std::min(ConvertWorldToScreen(ds->deckStepWidth, ds, 0), length - kDeckStepEdgeMargin);
    if (!(width > 0)) return;

    const float near = length / 2 - width / 2;
    AttachmentRecord* record = NewDeckStepRecord(edgeStart, edgeEnd, near + width / 2, width);
    if (!record) return;
    RGBColor fill = ds->fillColor;
    RGBColor pen = ds->penColor;
    Objex* step = CreateObject(objtype::kDeckSteps, 0, 1, &fill, &pen, 1.0f, 6, 0, nullptr, nullptr, nullptr,
                               deck, TreeFloor(deck), TypeData::OfAttachment(record));
    if (!step) {
        delete record;
        return;
    }
    step->texture = 0;
    step->penColor = kNoColor;
    AppendPointToObject(StepPoint(edgeStart, angle, near, step), step);
    AppendPointToObject(StepPoint(edgeStart, angle, length / 2 + width / 2, step), step);
    AppendChildToObject(step, deck);
    UpdateObjectBounds(step);
}
