#include "ui/core/detail_pane_rules.h"

#include <algorithm>
#include <iterator>

#include "commands/convert_type.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/rebuild_table.h"
#include "model/selection_queries.h"
#include "tracking/tracking_state.h"

namespace {

namespace cc = convertcmd;

constexpr DrawMethodItem kRectangle[] = {{"Rectangle from corner", 0},
                                         {"Rectangle from center", 1},
                                         {"Square from corner", 2},
                                         {"Square from center", 3}};
constexpr DrawMethodItem kOval[] = {
    {"Oval from corner", 4}, {"Oval from center", 5}, {"Circle from corner", 6}, {"Circle from center", 7}};
constexpr DrawMethodItem kLine[] = {{"Line from endpoint", 8}, {"Line from center", 9}};
constexpr DrawMethodItem kPolygon[] = {{"Closed polygon", 10}, {"Open polygon", 11}};
constexpr DrawMethodItem kArc[] = {{"Unconstrained arc", 12}, {"Quarter circular arc", 13}};
constexpr DrawMethodItem kCurve[] = {{"Closed curve", 14}, {"Open curve", 15}};

constexpr int16_t kRectangleTool = 7700, kOvalTool = 7701, kLineTool = 7702, kPolygonTool = 7703, kArcTool = 7704,
                  kCurveTool = 7707;

constexpr FillPatternItem kPatterns[] = {
    {0, "No fill", "DetailPatternEmptyFill"},
    {1, "Solid background", "DetailPatternBackgroundFill"},
    {2, "Solid foreground", "DetailPatternForegroundFill"},
    {3, "Forward diagonal", "DetailPatternForwardDiagonal"},
    {4, "Backward diagonal", "DetailPatternBackwardDiagonal"},
    {5, "Diagonal cross", "DetailPatternDiagonalCross"},
    {6, "Horizontal", "DetailPatternHorizontal"},
    {7, "Vertical", "DetailPatternVertical"},
    {8, "Cross", "DetailPatternCross"},
};

constexpr LineStyleItem kStyles[] = {{"Style 1", 6},  {"Style 2", 7},  {"Style 3", 8},  {"Style 4", 9},
                                     {"Style 5", 10}, {"Style 6", 13}, {"Style 7", 14}, {"Style 8", 12}};

// The previews' own dashes: each style's pattern begins within the preview's length, so no two
// look alike (the plan's long first dashes of styles 2 and 3 fill nearly all of it).
struct PreviewDashes {
    int16_t code;
    int count;
    float dashes[11];
};
constexpr PreviewDashes kPreviewDashes[] = {
    {7, 4, {36, 3, 6, 3}},   {8, 6, {30, 3, 6, 6, 6, 3}}, {9, 2, {24, 6}},
    {10, 2, {12, 6}},        {13, 2, {6, 7}},             {14, 8, {18, 3, 6, 3, 24, 3, 6, 3}},
    {12, 11, {12, 6, 6, 6, 6, 6, 18, 6, 6, 6, 6}},
};

int32_t PointCount(const Objex* o) {
    int32_t n = 0;
    for (const Poinz* p = o->firstPoint; p; p = p->next) ++n;
    return n;
}

bool IsSelectedDetail(const Objex* o) { return o->type == objtype::kDetail && IsObjectSelected(o); }

}  // namespace

std::span<const DrawMethodItem> DrawMethodItems(int16_t tool) {
    switch (tool) {
    case kRectangleTool: return kRectangle;
    case kOvalTool: return kOval;
    case kLineTool: return kLine;
    case kPolygonTool: return kPolygon;
    case kArcTool: return kArc;
    case kCurveTool: return kCurve;
    default: return {};
    }
}

int16_t ToolOfDrawMethod(int32_t tag) {
    for (int16_t tool : {kRectangleTool, kOvalTool, kLineTool, kPolygonTool, kArcTool, kCurveTool})
        for (const DrawMethodItem& item : DrawMethodItems(tool))
            if (item.tag == tag) return tool;
    return 0;
}

bool SetDrawMethodGlobals(int32_t tag) {
    switch (ToolOfDrawMethod(tag)) {
    case kRectangleTool:
        gLockRectTool = tag == 2 || tag == 3;
        gCenterRectTool = tag == 1 || tag == 3;
        return true;
    case kOvalTool:
        gLockOvalTool = tag == 6 || tag == 7;
        gCenterOvalTool = tag == 5 || tag == 7;
        return true;
    case kLineTool: gCenterLineTool = tag == 9; return true;
    case kPolygonTool: gClosePolyTool = tag == 10; return true;
    case kArcTool: gLockArcTool = tag == 13; return true;
    case kCurveTool: gCloseSplineTool = tag == 14; return true;
    default: return false;
    }
}

bool DrawMethodTakesPattern(int32_t tag) { return tag != 11 && tag != 15; }

int32_t* DrawMethods::forTool(int16_t tool) {
    switch (tool) {
    case kRectangleTool: return &rectangleDrawMethod;
    case kOvalTool: return &ovalDrawMethod;
    case kLineTool: return &lineDrawMethod;
    case kPolygonTool: return &polygonDrawMethod;
    case kArcTool: return &arcDrawMethod;
    case kCurveTool: return &splineDrawMethod;
    default: return nullptr;
    }
}

bool DetailToolOffersDims(int16_t tool) { return tool != kOvalTool && tool != kArcTool && tool != kCurveTool; }

bool DetailShapeOffersDims(int32_t subtype) {
    return subtype != detailsubtype::kOval && subtype != detailsubtype::kArc && subtype != detailsubtype::kCurve &&
           subtype != objsubtype::kSwitchConnector;
}

std::span<const FillPatternItem> FillPatterns() { return kPatterns; }

std::span<const LineStyleItem> LineStyles() { return kStyles; }

std::vector<float> LineStyleDashes(int16_t code) {
    for (const PreviewDashes& p : kPreviewDashes)
        if (p.code == code) return {p.dashes, p.dashes + p.count};
    return {};
}

bool DetailObjectIsCurved(const Objex* object) {
    for (const Poinz* p = object->firstPoint; p; p = p->next)
        for (int i = 0; i < 3; ++i)
            if (p->inTangent[i] != 0 || p->outTangent[i] != 0) return true;
    return false;
}

ConversionFacts WorkOutConversionFacts(const Layer* layer) {
    ConversionFacts f;
    for (const Objex* o = layer ? layer->firstObject : nullptr; o; o = o->next) {
        if (!IsSelectedDetail(o)) continue;
        const int32_t points = PointCount(o);
        f.allThreePoints &= points >= 3;
        f.allOpenTwoPoints &= !o->closed && points >= 2;
        f.noneCurved &= !DetailObjectIsCurved(o);
        f.noneTwoPoints &= points != 2;
        f.allClosed &= o->closed != 0;
        f.allOpen &= o->closed == 0;
    }
    return f;
}

std::vector<ConversionItem> ConversionMenuItems(const ConversionFacts& f) {
    const ConversionItem separator{nullptr, 0};
    std::vector<ConversionItem> items = {{"Convert Object To...", 0},
                                         {"Interior Wall", cc::kInteriorWall},
                                         {"Exterior Wall", cc::kExteriorWall},
                                         separator,
                                         {"Staircase", cc::kStaircase},
                                         {"Railing", cc::kRailing}};
    const auto add = [&](bool when, std::initializer_list<ConversionItem> more) {
        if (when) items.insert(items.end(), more);
    };
    const bool a = f.allThreePoints;
    add(a, {separator, {"Floor", cc::kFloor}, {"Floor Cutout", cc::kFloorCutout}});
    add(a, {separator, {"Freehand Roof", cc::kFreehandRoof}});
    add(a, {separator, {"Deck With Railing", cc::kDeckWithRailing}, {"Deck Without Railing", cc::kDeckWithoutRailing}});
    add(true, {{"Deck Stairs", cc::kDeckStairs}, {"Deck Railing", cc::kDeckRailing}});
    add(a, {{"Deck Cutout", cc::kDeckCutout}});
    add(true, {separator});
    add(a, {{"Property Line", cc::kPropertyLine}, {"Ground Fill Region", cc::kGroundFill}});
    add(true, {{"Edging", cc::kEdging}});
    add(f.allOpenTwoPoints, {{"Pathway/Driveway", cc::kPath}});
    add(f.noneCurved, {{"Fence", cc::kFence}});
    add(true, {{"Retaining Wall", cc::kRetainingWall}});
    add(a, {{"Topography", cc::kTopography}, {"Topography Excavation", cc::kExcavation}});
    if (f.noneTwoPoints && (f.allClosed || f.allOpen))
        add(true, {separator, f.allClosed ? ConversionItem{"Open Polygon", cc::kOpenPolygon}
                                          : ConversionItem{"Closed Polygon", cc::kClosedPolygon}});
    return items;
}

int ConvertSelectedDetailObjects(Layer* layer, int32_t command) {
    int converted = 0;
    // One step for all the shapes: the ground is computed, what stands on it placed and the
    // scene built once, after the last (as any command over the selection does).
    const rebuild::GroundBatch ground;
    Objex* o = layer ? layer->firstObject : nullptr;
    while (o && o->type != objtype::kDetail) o = o->next;
    while (o) {
        Objex* next = o->next;
        while (next && next->type != objtype::kDetail) next = next->next;
        if (IsObjectSelected(o) && ConvertObjectType(o, command, false)) ++converted;
        o = next;
    }
    if (converted) StoreConversionStep(command);
    return converted;
}
