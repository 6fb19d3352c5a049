#include "model/attachments.h"

#include <algorithm>
#include <limits>
#include <new>

#include "model/deletion.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/point_edits.h"
#include "model/rebuild_table.h"

namespace {

constexpr int32_t kFirstCustomTextureID = 20000;
constexpr int H = 0;
constexpr int D = 2;

bool IsHost(const Objex* o) { return o->type == objtype::kWall || o->type == objtype::kDeck; }

// Removes every child whose segment starts at the point (and passes the filter).
template <typename Filter>
void DeleteChildrenStartingAt(Objex* host, Poinz* start, Filter keepOut) {
    ForEachAttachment(host, [&](Objex* child, AttachmentRecord* r) {
        if (r->segmentStart == start && !keepOut(child)) DeleteObj(child);
    });
}

bool AnyStartsAt(Objex* host, const Poinz* start) {
    bool found = false;
    ForEachAttachment(host, [&](Objex*, AttachmentRecord* r) { found = found || r->segmentStart == start; });
    return found;
}

// The point segment (a, b) runs from.
Poinz* RunningFrom(Poinz* a, Poinz* b) { return a->next == b ? a : b; }

int16_t ClampToScale(int32_t value) {
    return static_cast<int16_t>(std::clamp<int32_t>(value, std::numeric_limits<int16_t>::min(),
                                                    std::numeric_limits<int16_t>::max()));
}

void SetScale(int16_t scale[2], int16_t w, int16_t h) {
    scale[0] = w;
    scale[1] = h;
}

}  // namespace

bool SegmentContainsAttachments(Objex* host, Poinz* a, Poinz* b) {
    if (!host || !a || !b || !IsHost(host)) return false;
    return AnyStartsAt(host, RunningFrom(a, b));
}

bool DoesPointContainAttachments(Objex* host, Poinz* point) {
    if (!host || !point || !IsHost(host)) return false;
    return AnyStartsAt(host, point);
}

void DeleteWallSegmentAttachments(Objex* wall, Poinz* start) {
    if (!wall || !start || wall->type != objtype::kWall) return;
    DeleteChildrenStartingAt(wall, start, [](Objex* c) { return !objtype::IsHostedAttachment(c->type); });
}

void DeleteSegmentAttachments(Objex* host, Poinz* a, Poinz* b) {
    if (!host || !a || !b || !IsHost(host)) return;
    DeleteChildrenStartingAt(host, RunningFrom(a, b), [](Objex*) { return false; });
}

void DeletePointAttachments(Objex* host, Poinz* point) {
    if (!host || !point || !IsHost(host)) return;
    DeleteChildrenStartingAt(host, point, [](Objex*) { return false; });
}

void VerifyObjectAttachments(Objex* wall) {
    if (!wall || wall->type != objtype::kWall) return;
    ForEachAttachment(wall, [wall](Objex* child, AttachmentRecord* r) {
        Poinz* start = r->segmentStart;
        if (!start) return;
        // Compared as an address only: a released point is never dereferenced.
        if (!IsPointOf(wall, start)) DeleteObj(child);
        else if (start->next) r->segmentEnd = start->next;
        else if (wall->closed) r->segmentEnd = wall->firstPoint;
        else DeleteObj(child);
    });
}

void UpdateAttachmentsWithNewPoint(Objex* host, Poinz* oldPoint, Poinz* newPoint) {
    if (!host || !oldPoint || !newPoint || !IsHost(host)) return;
    const float d = GetLineLength(oldPoint->position[H], oldPoint->position[D], newPoint->position[H],
                                  newPoint->position[D]);
    ForEachAttachment(host, [&](Objex*, AttachmentRecord* r) {
        if (r->segmentStart != oldPoint) return;
        if (r->centreDistance > d) {
            r->centreDistance -= d;
            r->segmentStart = newPoint;
        } else {
            r->remainder = d - r->centreDistance;
            r->segmentEnd = newPoint;
        }
    });
    rebuild::RefitAttachments(host);
}

AttachmentRecord* NewAttachmentRecordOnSegment(int16_t owner, Poinz* start, Poinz* end, float centre) {
    if (!start || !end || !CurrentDocState()) return nullptr;
    AttachmentRecord* r = new (std::nothrow) AttachmentRecord{};
    if (!r) return nullptr;
    r->ownerType = owner;
    r->segmentStart = start;
    r->segmentEnd = end;
    r->centreDistance = centre;
    r->remainder = GetLineLength(start->position[0], start->position[2], end->position[0], end->position[2]) - centre;
    return r;
}

void SetAllAttachmentsCustomTextureWH(int32_t textureID, int32_t width, int32_t height) {
    QMDDocumentModel* doc = gCurDocument;
    if (textureID < kFirstCustomTextureID || !doc || !doc->itsLayers) return;
    const int16_t w = ClampToScale(width);
    const int16_t h = ClampToScale(height);

    for (Layer* layer = doc->itsLayers; layer; layer = layer->next) {
        for (Objex* o = layer->firstObject; o; o = o->next) {
            if (o->type == objtype::kWall) {
                ForEachAttachment(o, [&](Objex* c, AttachmentRecord* r) {
                    if (!objtype::IsOpening(c->type)) return;
                    if (r->insideTrimTexture == textureID) SetScale(r->insideTrimScale, w, h);
                    if (r->outsideTrimTexture == textureID) SetScale(r->outsideTrimScale, w, h);
                });
            } else if (objtype::IsRoof(o->type)) {
                for (Objex* c = o->firstChild; c; c = c->next) {
                    if (c->type != objtype::kSkylight ||
                        c->typeData.kind != TypeDataKind::RoofAttachment || !c->typeData.roofAttachment)
                        continue;
                    RoofAttachmentRecord* r = c->typeData.roofAttachment;
                    if (r->texture1 == textureID) SetScale(r->textureScale1, w, h);
                    if (r->texture2 == textureID) SetScale(r->textureScale2, w, h);
                }
            }
        }
    }
}

int16_t DoorSwingDirectionFlag(double degrees) {
    constexpr int16_t kCounterClockwise = 4;
    return (degrees > -360.0 && degrees < -180.0) || (degrees >= 0.0 && degrees <= 180.0) ? kCounterClockwise : 0;
}
