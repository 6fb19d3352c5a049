#include "scene/opening_casings.h"

#include <vector>

#include "files/custom_definitions.h"
#include "scene/opening_trims.h"
#include "geometry/openings/trim_profiles.h"
#include "model/borrowed_settings.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/transforms.h"

namespace {

// The standard profile's half width across the outline.
constexpr float kHalfCasing = 1.25f;

// Where a casing is swept: along the segment, at the opening's centre, off the wall's centre.
struct Placement {
    float angle = 0;
    float originH = 0, originV = 0, originD = 0;
    float halfThickness = 0;
    float level = 0;
};

bool Place(const AttachmentRecord* record, float baseOffset, const DocState* ds,
           Placement* at) {
    const Poinz* s = record->segmentStart;
    const Poinz* e = record->segmentEnd;
    if (!s || !e) return false;
    at->level = baseOffset + record->elevation;
    float length = 0, dh = 0, dd = 0;
    at->angle = GetLineLengthAndAngle(s->position[0], s->position[2], e->position[0],
                                      e->position[2], &length);
    GetPointFromLengthAndAngle(at->angle, record->centreDistance, &dh, &dd);
    at->originH = s->position[0] + dh;
    at->originV = s->position[1];
    at->originD = s->position[2] + dd;
    const Objex* wall = s->owner;
    at->halfThickness = wall && wall->type == objtype::kWall
                            ? ConvertWorldToScreen(wall->penWidth / 2.0f, ds, 0)
                            : 0;
    return true;
}

// Sweeps the profile along a copy of every outline object, each copy scaled by (sh, sv) when
// `scale` is set, and frees the copies. False when a copy could not be made.
bool SweepOutlines(AttachmentRecord* record, const std::vector<Float3DPoint>& profile,
                   const Placement& at, int16_t side, bool scale, float sh, float sv,
                   BorrowedSettings& settings, const DocState* ds) {
    for (Objex* o = record->customParts[0]; o; o = o->next) {
        Objex* copy = DuplicateObject(o, nullptr, nullptr, nullptr, 0, dupmode::kDuplicate);
        if (!copy) return false;
        settings.convertCurves(copy, ds->detailValueA);
        if (scale) settings.scaleInFront(copy, sh, sv);
        BuildCustomTrimPlanes(record, copy, profile.data(), static_cast<int32_t>(profile.size()),
                              at.angle, at.originH, at.originV, at.originD, at.halfThickness,
                              at.level, side);
        DeleteObj(copy);
    }
    return true;
}

void CustomSizeFactors(const AttachmentRecord* record, float* sh, float* sv) {
    float width = 0, height = 0;
    GetCustomAttachmentWidthAndHeight(record, &width, &height);
    *sh = SizeFactor(record->width, width);
    *sv = SizeFactor(record->height, height);
}

} // namespace

void ApplyStandardTrimToDoorWin(float /*direction*/, AttachmentRecord* record, int16_t side,
                                int16_t custom, float baseOffset) {
    DocState* ds = CurrentDocState();
    Placement at;
    if (!record || !ds || !Place(record, baseOffset, ds, &at)) return;
    const float c = ConvertWorldToScreen(record->trimWidth, ds, 0);
    const std::vector<Float3DPoint> profile = {{-kHalfCasing, 0, c / 2},
                                               {-kHalfCasing, 0, -c / 2},
                                               {kHalfCasing, 0, -c / 2},
                                               {kHalfCasing, 0, c / 2}};
    float sh = 1, sv = 1;
    if (custom == 1) CustomSizeFactors(record, &sh, &sv);
    BorrowedSettings settings(ds);
    SweepOutlines(record, profile, at, side, custom == 1, sh, sv, settings, ds);
}

void ApplyCustomTrimToDoorWin(Objex* profile, float /*direction*/, AttachmentRecord* record,
                              int16_t side, int16_t custom, float baseOffset) {
    DocState* ds = CurrentDocState();
    Placement at;
    if (!profile || !record || !ds || !Place(record, baseOffset, ds, &at)) return;
    BorrowedSettings settings(ds);
    Objex* copy = DuplicateObject(profile, nullptr, nullptr, nullptr, 0, dupmode::kDuplicate);
    if (!copy) return;
    settings.convertCurves(copy, ds->detailValueB);
    float height = 0;
    GetCustomTrimHeight(record, side, &height);
    // A profile without depth is taken as drawn.
    const float depth = SizeFactor(ConvertWorldToScreen(record->trimWidth, ds, 0), height);
    std::vector<Float3DPoint> points;
    for (const Poinz* p = copy->firstPoint; p; p = p->next)
        points.push_back({p->position[0], p->position[1], p->position[2] * depth});
    DeleteObj(copy);

    float sh = 1, sv = 1;
    if (custom == 1) CustomSizeFactors(record, &sh, &sv);
    SweepOutlines(record, points, at, side, true, sh, sv, settings, ds);
}
