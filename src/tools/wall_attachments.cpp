#include "tools/wall_attachments.h"

#include <algorithm>
#include <cmath>

#include "app/core/localization_seams.h"
#include "geometry/openings/attachment_frames.h"
#include "model/attachments.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "port/alerts.h"
#include "tools/attached_dimensions.h"
#include "tools/attachment_layout.h"

namespace {

// An accessory stands at least this far (plan units) off its wall's face.
constexpr float kLeastAccessoryOffset = 6.0f;

void ShowAttachmentsRemoved() {
    port::Alert alert;
    alert.message = LocalizedString("One or more components have been removed.");
    alert.informative = LocalizedString(
        "The wall was not long enough to accommodate all of its attachments.  One or more windows, doors, and/or "
        "fixtures were removed.");
    alert.buttons = {LocalizedString("OK")};
    port::alerts().beginSheet(alert, [](int) {});
}

// How far the third point lies off the wall's centre line.
float ThirdPointReach(const Objex* attachment, const AttachmentRecord* r, const Objex* wall, const DocState* ds) {
    if (attachment->type != objtype::kAccessory) return r->height;
    return std::max(kLeastAccessoryOffset, ConvertWorldToScreen(r->swingOrOffset, ds, 0)) +
           ConvertWorldToScreen(wall->penWidth, ds, 0) / 2;
}

}  // namespace

float GetWallSegmentWorkingLength(float, float, const Poinz* segmentStart, const Poinz* segmentEnd, float* rangeStart,
                                  float* rangeLength) {
    if (!segmentStart || !segmentEnd || !rangeStart || !rangeLength) return 0;
    const float length = SegmentSpan(segmentStart, segmentEnd);
    *rangeStart = 0;
    *rangeLength = length;
    return length + kAttachmentOverhang;
}

void LayWallAttachment(Objex* attachment) {
    const DocState* ds = CurrentDocState();
    Objex* wall = attachment ? attachment->parent : nullptr;
    AttachmentRecord* r = attachment ? AttachmentRecordOf(attachment) : nullptr;
    if (!ds || !wall || !r || !r->segmentStart || !r->segmentEnd) return;
    LayOnSegment(attachment, r, ThirdPointReach(attachment, r, wall, ds), false);
    MapFacesAndLengths(attachment);
    UpdateObjectBounds(attachment);
    BuildAttachmentFrame(attachment);
}

int16_t UpdateWallAttachment(Objex* attachment) {
    const DocState* ds = CurrentDocState();
    if (!attachment || !ds) return 0;
    Objex* wall = attachment->parent;
    AttachmentRecord* r = AttachmentRecordOf(attachment);
    if (!wall || !wall->layer || !r || !r->segmentStart || !r->segmentEnd) return 0;
    if (!FitsSegment(*r)) {
        const bool dimension = attachment->subtype == objsubtype::kAttachedDimension;
        DeleteObj(attachment);
        return dimension ? 0 : 1;
    }
    LayWallAttachment(attachment);
    return 0;
}

int16_t UpdateAllWallAttachments(Objex* wall) {
    if (!wall || !gCurDocument) return 0;
    UpdateCurrentLayerAttachedDims(wall->layer);
    if (wall->type != objtype::kWall) return 0;
    int16_t removed = 0;
    for (Objex* child = wall->firstChild; child;) {
        Objex* next = child->next;
        removed = static_cast<int16_t>(removed + UpdateWallAttachment(child));
        child = next;
    }
    if (removed) ShowAttachmentsRemoved();
    return removed;
}

void UpdateAllWallAttachmentsLayer(Layer* layer) {
    if (!layer || !layer->visible) return;
    for (Objex* o = layer->firstObject; o;) {
        Objex* next = o->next;
        if (o->type == objtype::kWall) UpdateAllWallAttachments(o);
        o = next;
    }
}

void UpdateAllWallAttachmentsAllLayers(Layer* firstLayer) {
    for (Layer* layer = firstLayer; layer; layer = layer->next) UpdateAllWallAttachmentsLayer(layer);
}

void UpdateWallAttachmentStartDistance(Objex* wall, const Poinz* point, float delta) {
    if (!wall || !point) return;
    ForEachAttachment(wall, [&](Objex*, AttachmentRecord* r) {
        if (r->segmentStart == point) r->centreDistance += delta;
    });
}

void ReplaceVoidAttachments(Objex* wall, const Poinz* oldPoint, Poinz* newStart, Poinz* newEnd) {
    if (!wall || !oldPoint || !newStart || !newEnd) return;
    ForEachAttachment(wall, [&](Objex*, AttachmentRecord* r) {
        if (r->segmentStart == oldPoint) r->segmentStart = newStart;
        if (r->segmentEnd == oldPoint) r->segmentEnd = newEnd;
    });
}

void DeleteVoidAttachments(Objex* wall, const Poinz* point) {
    if (!wall || !point) return;
    ForEachAttachment(wall, [&](Objex* child, AttachmentRecord* r) {
        if (r->segmentStart == point || r->segmentEnd == point) DeleteObj(child);
    });
}
