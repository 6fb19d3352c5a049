#include "tools/deck_steps.h"

#include <algorithm>

#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "app/core/localization_seams.h"
#include "model/attachments.h"
#include "model/deletion.h"
#include "model/object_types.h"
#include "plan/refresh_seams.h"
#include "port/alerts.h"
#include "tools/attachment_defaults.h"
#include "tools/attachment_layout.h"
#include "tools/attachment_placement.h"
#include "model/selection_ops.h"
#include "model/click_info.h"
#include "tracking/tracking_state.h"
#include "tools/wall_attachments.h"

namespace {


// A refit keeps this much of the working length free.
constexpr float kRefitMargin = 10.0f;

void ShowStepsRemoved() {
    port::Alert alert;
    alert.message = LocalizedString("One or more deck steps removed.");
    alert.informative = LocalizedString(
        "Deck steps are removed when either the deck segment is shorter than the step width or the step width is "
        "larger than the deck segment width.");
    alert.buttons = {LocalizedString("OK")};
    port::alerts().beginSheet(alert, [](int) {});
}

void PlaceStepPoint(Poinz* p, const Poinz* edgeStart, float angle, float distance) {
    float dh = 0, dd = 0;
    GetPointFromLengthAndAngle(angle, distance, &dh, &dd);
    p->position[0] = edgeStart->position[0] + dh;
    p->position[1] = 0;
    p->position[2] = edgeStart->position[2] + dd;
}

void SelectStepAlone(Objex* step) {
    if (gCurDocument) SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
    SelectObj(step, selmode::kSelect, 0);
    Refresh();
}

}  // namespace

int16_t UpdateDeckAttachment(Objex* step) {
    if (!step || !CurrentDocState()) return 0;
    Objex* deck = step->parent;
    AttachmentRecord* r = AttachmentRecordOf(step);
    if (!deck || !deck->layer || !r || !r->segmentStart || !r->segmentEnd) return 0;
    float rangeStart = 0, rangeLength = 0;
    const float working = GetWallSegmentWorkingLength(0, 0, r->segmentStart, r->segmentEnd, &rangeStart, &rangeLength);
    if (r->width > working - kRefitMargin) r->width = working - kRefitMargin;
    // A step narrowed to nothing is no step: it goes like one that does not fit.
    if (r->width > 0 && working > r->width) {
        const float hw = r->width / 2;
        float c = r->centreDistance;
        if (hw > c) c = hw + kDeckStepEdgeMargin;
        if (c + hw > working) c = working - (hw + kDeckStepEdgeMargin);
        Poinz* first = step->firstPoint;
        Poinz* second = first ? first->next : nullptr;
        if (c >= hw && c + hw <= working && second) {
            float length = 0;
            const float angle = GetLineLengthAndAngle(r->segmentStart->position[0], r->segmentStart->position[2],
                                                      r->segmentEnd->position[0], r->segmentEnd->position[2], &length);
            r->centreDistance = c;
            r->remainder = length - c;
            PlaceStepPoint(first, r->segmentStart, angle, c - hw);
            PlaceStepPoint(second, r->segmentStart, angle, c + hw);
            while (second->next) {
                Poinz* extra = second->next;
                second->next = extra->next;
                if (extra->next) extra->next->prev = second;
                delete extra;
            }
            step->pointCount = 2;
            UpdateObjectBounds(step);
            return 0;
        }
    }
    DeleteObj(step);
    return 1;
}

int16_t UpdateAllDeckAttachments(Objex* deck) {
    if (!deck || !CurrentDocState()) return 0;
    int16_t removed = 0;
    for (Objex* c = deck->firstChild; c;) {
        Objex* next = c->next;
        if (c->type == objtype::kDeckSteps) removed += UpdateDeckAttachment(c);
        c = next;
    }
    if (removed) {
        ShowStepsRemoved();
        Refresh();
    }
    return removed;
}

void UpdateAllDeckAttachmentsLayer(Layer* layer) {
    if (!layer || !layer->visible) return;
    for (Objex* o = layer->firstObject; o; o = o->next)
        if (o->type == objtype::kDeck) UpdateAllDeckAttachments(o);
}

void UpdateAllDeckAttachmentsAllLayers(Layer* firstLayer) {
    for (Layer* layer = firstLayer; layer; layer = layer->next) UpdateAllDeckAttachmentsLayer(layer);
}

void TranslateDeckAttachment() {
    const ClickInfo click = gClickInfo;
    Objex* step = click.ciObject;
    AttachmentRecord* r = step && step->type == objtype::kDeckSteps ? AttachmentRecordOf(step) : nullptr;
    if (!gCurDocument || !CurrentDocState() || !r || !r->segmentStart || !r->segmentEnd || !step->parent ||
        !step->firstPoint || !step->firstPoint->next)
        return;
    Poinz* first = step->firstPoint;
    Poinz* second = first->next;
    const bool whole = click.ciSegmentHit && click.ciPoint && click.ciPoint2;
    const bool dragStart = !whole && click.ciPointHit && click.ciPoint == first;
    const bool dragEnd = !whole && click.ciPointHit && click.ciPoint == second;
    if (!whole && !dragStart && !dragEnd) {
        SelectStepAlone(step);
        return;
    }
    float rangeStart = 0, rangeLength = 0;
    const float working = GetWallSegmentWorkingLength(0, 0, r->segmentStart, r->segmentEnd, &rangeStart, &rangeLength);
    WallPlacement p;
    p.wall = step->parent, p.segStart = r->segmentStart, p.segEnd = r->segmentEnd;
    p.size = FloatPoint{r->width, r->height};
    p.workingLength = working;
    p.rangeStart = rangeStart, p.rangeEnd = rangeStart + rangeLength;
    if (dragStart || dragEnd) p.rangeStart -= r->width / 2, p.rangeEnd += r->width / 2;
    p.click = click.ciWhere, p.dragStart = dragStart, p.dragEnd = dragEnd;
    p.ownerType = objtype::kDeckSteps, p.existing = step;
    TrackDoorPlacement(p, [step, dragStart, dragEnd](int16_t moved, WallPlacement& placed) {
        AttachmentRecord* rec = AttachmentRecordOf(step);
        if (!moved || !rec || !rec->segmentStart || !rec->segmentEnd || !step->firstPoint ||
            !step->firstPoint->next)
            return;
        const Poinz* s = rec->segmentStart;
        if (dragStart || dragEnd)
            rec->width = GetLineLength(placed.start.floatH, placed.start.floatV, placed.end.floatH, placed.end.floatV);
        rec->centreDistance =
            GetLineLength(s->position[0], s->position[2], placed.start.floatH, placed.start.floatV) + rec->width / 2;
        rec->remainder = SegmentSpan(rec->segmentStart, rec->segmentEnd) - rec->centreDistance;
        Poinz* a = step->firstPoint;
        Poinz* b = a->next;
        a->position[0] = placed.start.floatH, a->position[1] = 0, a->position[2] = placed.start.floatV;
        b->position[0] = placed.end.floatH, b->position[1] = 0, b->position[2] = placed.end.floatV;
        UpdateObjectBounds(step);
        SelectStepAlone(step);
    });
}
