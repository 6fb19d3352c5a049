#pragma once
// The attachments of one wall segment in centre-distance order. A stable sort: equal
// distances keep the wall's child order. The records' scratch links are left alone.
#include <algorithm>
#include <vector>

#include "model/objects.h"
#include "model/type_data.h"

inline std::vector<AttachmentRecord*> SegmentOpenings(const Objex* wall, const Poinz* segmentStart,
                                                      bool descending = false) {
    std::vector<AttachmentRecord*> chain;
    if (!wall) return chain;
    for (Objex* child = wall->firstChild; child; child = child->next) {
        AttachmentRecord* r = child->typeData.kind == TypeDataKind::Attachment ? child->typeData.attachment : nullptr;
        if (r && r->segmentStart == segmentStart) chain.push_back(r);
    }
    std::stable_sort(chain.begin(), chain.end(), [&](const AttachmentRecord* a, const AttachmentRecord* b) {
        return descending ? a->centreDistance > b->centreDistance : a->centreDistance < b->centreDistance;
    });
    return chain;
}
