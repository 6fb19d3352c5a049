#include "tools/wall_defaults.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "model/convert_curves.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "tools/attached_dimensions.h"
#include "tracking/tracking_state.h"

namespace {

constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
constexpr int32_t kWallTexture = 1700;
constexpr int32_t kWallSecondTexture = 2213;
constexpr int16_t kFullScale = 100;
constexpr float kBaseOffset = 0.5f;
constexpr int32_t kExteriorPlanBits = 1;
constexpr int32_t kInteriorPlanBits = 2;
constexpr int32_t kLandscapePlanBits = 128;

// Shape codes whose two sides trade places when the segment is walked the other way.
int32_t MirroredShape(int32_t code) {
    switch (code) {
    case 2: return 3;
    case 3: return 2;
    case 5: return 6;
    case 6: return 5;
    case 8: return 10;
    case 10: return 8;
    case 9: return 11;
    case 11: return 9;
    default: return code;
    }
}

bool HeightsRunBackwards(int32_t code) { return code == 1 || (code >= 4 && code <= 7); }

}  // namespace

NewWallKind WallKindOfTool(int16_t tool) {
    if (tool == 7050 || tool == 7051) return NewWallKind::Exterior;
    if (tool == 7507) return NewWallKind::Retaining;
    return NewWallKind::Interior;
}

bool WallHasInteriorTrims(const Objex* wall) {
    return wall && wall->subtype != objsubtype::kExteriorWall && wall->planBits != kLandscapePlanBits;
}

void SetNewSegmentRecord(Poinz* p, const DocState* ds, bool interior, int16_t alternate) {
    if (!p || !ds) return;
    p->texture1 = p->texture2 = 0;
    p->color1 = p->color2 = ds->wallColor;
    p->segmentFlags = 0;
    DeleteTrimRecord(p->trim1);
    DeleteTrimRecord(p->trim2);
    p->trim1 = NewWallTrimRecord(interior);
    p->trim2 = NewWallTrimRecord(interior);
    p->wallStyle = 0;
    p->dimensionMethod = 0;
    p->dimensionFlipped = alternate;
    // New segments stand on the floor being worked on.
    p->baseElevation = ds->currentElevation;
    p->segmentValues[0] = ds->wallHeight;
    p->segmentValues[1] = ds->wallPitchA;
    p->segmentValues[2] = ds->wallPitchB;
    p->segmentValues[3] = ds->wallHeightC;
    p->segmentValues[4] = ds->wallHeightD;
    p->faceScale1 = p->faceScale2 = ShortPoint{kFullScale, kFullScale};
}

void SetNewWallDefaults(Objex* wall, NewWallKind kind, const DocState* ds) {
    if (!wall || !ds) return;
    wall->type = objtype::kWall;
    wall->elevationMode = 0;
    wall->penWidth = ds->wallThickness;
    wall->penColor = ds->doorColor;  // the wall pen colour
    wall->fillColor = kWhite;
    wall->texture = kWallTexture;
    wall->texture2 = kWallSecondTexture;
    wall->color2 = kWhite;
    for (ShortPoint& s : wall->textureScales) s = ShortPoint{kFullScale, kFullScale};
    objfield::wall::kStudSpacing(*wall) = ds->studSpacing;
    objfield::wall::kBaseOffset(*wall) = kBaseOffset;
    objfield::wall::kQuickWallWidth(*wall) = ds->foundationWidth;
    // The floor's height, as a read gives a wall without one.
    if (objfield::wall::kHeight(*wall) < 0.5f)
        if (const Layer* floor = TreeFloor(wall)) objfield::wall::kHeight(*wall) = floor->height;
    const bool exterior = kind == NewWallKind::Exterior;
    wall->subtype = exterior ? objsubtype::kExteriorWall : 0;
    wall->auxColor.red = exterior ? 0 : 1;  // the interior flag
    wall->planBits = exterior ? kExteriorPlanBits : kind == NewWallKind::Retaining ? kLandscapePlanBits : kInteriorPlanBits;
    const bool interiorTrims = kind == NewWallKind::Interior;
    int16_t alternate = 0;
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        SetNewSegmentRecord(p, ds, interiorTrims, alternate);
        alternate = alternate ? 0 : 1;
    }
}

void SwapSegmentRecords(Poinz* to, Poinz* from) {
    if (!to || !from || to == from) return;
    to->texture1 = from->texture1, to->texture2 = from->texture2;
    to->color1 = from->color1, to->color2 = from->color2;
    to->segmentFlags = from->segmentFlags;
    std::swap(to->trim1, from->trim1);
    std::swap(to->trim2, from->trim2);
    to->wallStyle = from->wallStyle;
    to->dimensionMethod = from->dimensionMethod;
    to->dimensionFlipped = from->dimensionFlipped;
    to->baseElevation = from->baseElevation;
    std::copy(std::begin(from->segmentValues), std::end(from->segmentValues), to->segmentValues);
    to->faceScale1 = from->faceScale1, to->faceScale2 = from->faceScale2;
}

void MirrorSegmentRecord(Poinz* p) {
    if (!p) return;
    std::swap(p->texture1, p->texture2);
    std::swap(p->color1, p->color2);
    std::swap(p->trim1, p->trim2);
    std::swap(p->faceScale1, p->faceScale2);
    if (HeightsRunBackwards(p->wallStyle)) std::reverse(p->segmentValues, p->segmentValues + 4);
    p->wallStyle = MirroredShape(p->wallStyle);
}

void ReverseWallPoints(Objex* wall, const DocState* ds) {
    if (!wall || !wall->firstPoint) return;
    std::vector<Poinz*> points;
    for (Poinz* p = wall->firstPoint; p; p = p->next) points.push_back(p);
    const size_t n = points.size();
    // Walking from the end, each point takes the record of the segment that now starts there.
    for (size_t i = n - 1; i >= 1; --i) {
        SwapSegmentRecords(points[i], points[i - 1]);
        MirrorSegmentRecord(points[i]);
    }
    const int16_t alternate = n > 1 ? (points[1]->dimensionFlipped ? 0 : 1) : 0;
    SetNewSegmentRecord(points[0], ds, WallHasInteriorTrims(wall), alternate);
    for (Poinz* p : points) {
        std::swap(p->prev, p->next);
        // Tangents are velocities: walked backwards they trade ends and turn round.
        for (int k = 0; k < 3; ++k) {
            const float in = p->inTangent[k];
            p->inTangent[k] = -p->outTangent[k];
            p->outTangent[k] = -in;
        }
    }
    wall->firstPoint = points[n - 1];
    ReverseAttachmentDirection(wall);
}
