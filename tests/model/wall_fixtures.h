#pragma once
// Walls with doors and windows for the point, smoothing and delete tests: attachments are
// children whose record names the segment they sit on.
#include <cstdint>
#include <utility>
#include <vector>

#include "model/objects.h"
#include "model/type_data.h"
#include "support/model_builders.h"

namespace walltest {

// A door or window on the segment from `start` to `end` of the host, its centre `centre`
// from the start and `remainder` from the end.
inline Objex* AttachTo(Objex* host, int16_t type, Poinz* start, Poinz* end, float centre = 0,
                       float remainder = 0) {
    Objex* a = dvxtest::NewObject(type);
    auto* r = new AttachmentRecord{};
    r->ownerType = type;
    r->segmentStart = start;
    r->segmentEnd = end;
    r->centreDistance = centre;
    r->remainder = remainder;
    a->typeData = TypeData::OfAttachment(r);
    AppendChildToObject(a, host);
    return a;
}

inline AttachmentRecord* RecordOf(Objex* attachment) { return attachment->typeData.attachment; }

// The object IDs of the host's children in order (IDs, since freed addresses come back).
inline std::vector<uint32_t> ChildIDs(const Objex* host) {
    std::vector<uint32_t> ids;
    for (const Objex* c = host->firstChild; c; c = c->next) ids.push_back(c->objectID);
    return ids;
}

// The plan positions (H, D) of the object's points in list order.
inline std::vector<std::pair<float, float>> PlanPositions(const Objex* o) {
    std::vector<std::pair<float, float>> out;
    for (const Poinz* p = o->firstPoint; p; p = p->next) out.emplace_back(p->position[0], p->position[2]);
    return out;
}

}  // namespace walltest
