#include "tracking/tool_dispatch.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "port/seam.h"
#include "tracking/tracking_state.h"

namespace {

using S = TrackerSlot;

struct Row {
    int16_t tool;
    S slot;
    bool marqueeOnMiss;
};

// Sorted by tool.
constexpr Row kRows[] = {
    {200, S::Translate, true}, {202, S::Rotate, true}, {203, S::None, false}, {204, S::None, false},
    {205, S::Camera, false}, {206, S::Text, false}, {207, S::Text, false}, {208, S::Component, false},
    {209, S::DimLine, false}, {210, S::OffsetDim, false}, {211, S::OffsetDim, false},
    {212, S::DiameterDim, false}, {213, S::LeaderDim, false}, {215, S::Scale, true}, {216, S::Translate, true},
    {3550, S::Translate, true}, {7000, S::Foundation, false}, {7001, S::FoundationBeam, false},
    {7002, S::FoundationPier, false}, {7003, S::FoundationTension, false}, {7004, S::FoundationSlope, false},
    {7050, S::Wall, false}, {7051, S::Wall, false}, {7052, S::Wall, false}, {7053, S::Wall, false},
    {7054, S::CurvedWall, false}, {7055, S::Component, false}, {7056, S::Door, false}, {7057, S::Window, false},
    {7058, S::StraightStaircase, false}, {7059, S::CurvedStaircase, false}, {7060, S::StraightRailing, false},
    {7061, S::CurvedRailing, false}, {7062, S::Floor, false}, {7063, S::Floor, false},
    {7064, S::Accessory, false}, {7065, S::ComponentFixed, false}, {7066, S::Door, false}, {7100, S::Component, false},
    {7101, S::Component, false}, {7102, S::ComponentFixed, false}, {7103, S::Component, false},
    {7104, S::ComponentFixed, false}, {7105, S::Component, false}, {7106, S::Component, false},
    {7107, S::Component, false}, {7108, S::SwitchConnector, false}, {7109, S::ComponentFixed, false},
    {7110, S::Component, false}, {7111, S::ComponentFixed, false}, {7112, S::Component, false},
    {7113, S::Component, false}, {7114, S::Component, false}, {7115, S::Component, false},
    {7200, S::Component, false}, {7201, S::Component, false}, {7202, S::ComponentFixed, false},
    {7203, S::Component, false}, {7204, S::Component, false}, {7205, S::Component, false},
    {7206, S::Component, false}, {7207, S::Component, false}, {7208, S::Component, false},
    {7209, S::Component, false}, {7210, S::Component, false}, {7211, S::ComponentFixed, false},
    {7300, S::GableRoof, false}, {7301, S::GableRoof, false}, {7302, S::GableRoof, false},
    {7303, S::GableRoof, false}, {7304, S::GableRoof, false}, {7305, S::GableRoof, false},
    {7306, S::RoofPanel, false}, {7307, S::FourPtRoof, false}, {7308, S::ThreePtRoof, false},
    {7309, S::DormerCutout, false}, {7310, S::Skylight, false}, {7311, S::None, false},
    {7400, S::HVACDuct, false}, {7401, S::ComponentFixed, false}, {7402, S::ComponentFixed, false},
    {7403, S::ComponentFixed, false}, {7404, S::ComponentFixed, false}, {7405, S::ComponentFixed, false},
    {7406, S::ComponentFixed, false}, {7407, S::Component, false}, {7500, S::PropertyLine, false},
    {7501, S::GroundFill, false}, {7502, S::Path, false}, {7503, S::Fill, false}, {7504, S::Edging, false},
    {7505, S::Fence, false}, {7506, S::Gate, false}, {7507, S::Wall, false}, {7508, S::Sprinkler, false},
    {7509, S::TopoCutout, false}, {7510, S::None, false}, {7511, S::Topo, false}, {7512, S::Topo, false},
    {7515, S::None, false}, {7600, S::Deck, false}, {7601, S::Deck, false}, {7602, S::StraightRailing, false},
    {7603, S::CurvedRailing, false}, {7604, S::StraightStaircase, false}, {7605, S::CurvedStaircase, false},
    {7606, S::DeckCutout, false}, {7700, S::Rect, false}, {7701, S::Oval, false}, {7702, S::Line, false},
    {7703, S::Poly, false}, {7704, S::Arc, false}, {7705, S::Sprinkler, false}, {7706, S::Multi, false},
    {7707, S::Poly, false}, {7809, S::None, false}, {7900, S::None, false}, {7901, S::None, false},
    {7910, S::Fillet, true}, {7911, S::Fillet, true}, {7912, S::Chamfer, true},
};

constexpr int16_t kCustomSkylightStyle = 806;

using Call = ViewToolTracker;
std::array<Call, static_cast<size_t>(S::Count)> sTrackers;
KeyEntryTracker sKeyEntry;
PointTracker sPointTracker;

Call& At(S slot) { return sTrackers[static_cast<size_t>(slot)]; }

}  // namespace
static const port::GlobalReset kReset([] { ClearTrackers(); });

void RegisterTracker(TrackerSlot slot, Tracker t) {
    At(slot) = [t](int32_t x, int32_t y, float h, float v, float d, int16_t stage, int16_t) { t(x, y, h, v, d, stage); };
}
void RegisterPlanTracker(TrackerSlot slot, PlanTracker t) {
    At(slot) = [t](int32_t, int32_t, float h, float v, float d, int16_t stage, int16_t) { t(h, v, d, stage); };
}
void RegisterToolTracker(TrackerSlot slot, ToolTracker t) {
    At(slot) = [t](int32_t, int32_t, float h, float v, float d, int16_t stage, int16_t tool) {
        t(h, v, d, stage, tool);
    };
}
void RegisterViewToolTracker(TrackerSlot slot, ViewToolTracker t) { At(slot) = std::move(t); }
void RegisterDoorTracker(TrackerSlot slot, DoorTracker t) {
    At(slot) = [t](int32_t x, int32_t y, float h, float, float, int16_t stage, int16_t) { t(x, y, h, stage); };
}
void RegisterKeyEntryTracker(KeyEntryTracker t) { sKeyEntry = std::move(t); }
bool CallKeyEntryTracker(int32_t x, int32_t y, CommandWindow* window) {
    if (!sKeyEntry) return false;
    const KeyEntryTracker call = sKeyEntry;
    call(x, y, window);
    return true;
}
void RegisterPointTracker(PointTracker t) { sPointTracker = std::move(t); }
bool CallPointTracker(int16_t tool) {
    if (!sPointTracker) return false;
    const PointTracker call = sPointTracker;
    call(tool);
    return true;
}
void ClearTrackers() {
    for (auto& t : sTrackers) t = nullptr;
    sKeyEntry = nullptr;
    sPointTracker = nullptr;
}

ToolRoute RouteOfTool(int16_t tool) {
    const auto* row = std::lower_bound(std::begin(kRows), std::end(kRows), tool,
                                       [](const Row& r, int16_t t) { return r.tool < t; });
    if (row == std::end(kRows) || row->tool != tool) return {};
    return {true, row->slot, row->marqueeOnMiss};
}

void WriteToolStyle(int16_t tool) {
    switch (tool) {
    case 7058: case 7604: gStairToolStyle = 1; break;
    case 7059: case 7605: gStairToolStyle = 2; break;
    case 7060: case 7602: gRailToolStyle = 1; break;
    case 7061: case 7603: gRailToolStyle = 2; break;
    case 7300: case 7301: case 7302: case 7303: case 7304: case 7305:
        // The document keeps the style as its current roof style, which the tracker reads.
        gRoofToolStyle = int16_t(objfield::roof::StyleOfTool(tool));
        if (DocState* ds = CurrentDocState()) ds->gableRoofValue.red = uint16_t(gRoofToolStyle);
        break;
    case 7910: gTrackInvertedFillet = 0; break;
    case 7911: gTrackInvertedFillet = 1; break;
    default: break;
    }
}

bool CallTracker(TrackerSlot slot, int16_t tool, int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    WriteToolStyle(tool);
    const DocState* ds = CurrentDocState();
    if (slot == S::Skylight && ds && ds->skylightStyle == kCustomSkylightStyle) slot = S::CustomSkylight;
    if (slot == S::None || !At(slot)) return false;
    const Call call = At(slot);  // a tracker may register again while it runs
    call(x, y, h, v, d, stage, tool);
    return true;
}
