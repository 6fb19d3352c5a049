#include "tools/attachment_layout.h"

#include <numbers>

#include "model/lines.h"
#include "model/objects.h"

namespace {

constexpr float kQuarterTurn = std::numbers::pi_v<float> / 2;

void Put(Poinz* p, const Poinz* from, float angle, float length, bool flat) {
    float dh = 0, dd = 0;
    GetPointFromLengthAndAngle(angle, length, &dh, &dd);
    p->position[0] = from->position[0] + dh;
    p->position[2] = from->position[2] + dd;
    if (flat) p->position[1] = 0;
}

}  // namespace

float SegmentSpan(const Poinz* a, const Poinz* b) {
    return GetLineLength(a->position[0], a->position[2], b->position[0], b->position[2]);
}

bool FitsSegment(const AttachmentRecord& r) {
    const float reach = SegmentSpan(r.segmentStart, r.segmentEnd) + kAttachmentOverhang;
    const float half = r.width / 2;
    return reach > r.width && r.centreDistance >= half && r.centreDistance + half <= reach;
}

void LayOnSegment(Objex* attachment, AttachmentRecord* r, float reach, bool flat) {
    const Poinz* start = r->segmentStart;
    const Poinz* end = r->segmentEnd;
    float length = 0;
    const float angle =
        GetLineLengthAndAngle(start->position[0], start->position[2], end->position[0], end->position[2], &length);
    const float c = r->centreDistance;
    r->remainder = length - c;
    Poinz* first = attachment->firstPoint;
    if (!first) return;
    Put(first, start, angle, c - r->width / 2, flat);
    Poinz* second = first->next;
    if (!second) return;
    Put(second, start, angle, c + r->width / 2, flat);
    if (Poinz* third = second->next) {
        float dh = 0, dd = 0;
        GetPointFromLengthAndAngle(angle, c, &dh, &dd);
        Put(third, start, r->sideFlag ? angle + kQuarterTurn : angle - kQuarterTurn, reach, flat);
        third->position[0] += dh;
        third->position[2] += dd;
    }
    int32_t count = 0;
    for (const Poinz* p = first; p; p = p->next) ++count;
    attachment->pointCount = count;
}
