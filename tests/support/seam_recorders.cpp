#include "support/seam_recorders.h"

#include "geometry/elements/rebuild_seams.h"
#include "geometry/openings/attachment_frame_seams.h"
#include "geometry/openings/trim_plane_seams.h"
#include "model/objects.h"
#include "render/core/live_view_seams.h"
#include "scene/render_seams.h"
#include "tools/rebuild_seams.h"

namespace dvxtest {

RebuildRecorder::RebuildRecorder() {
    auto rec = [this](const char* name) {
        return [this, name](Objex* o) { calls.push_back({name, o}); };
    };
    SetUpdate3DFloorSkirtingHandler(rec("Update3DFloorSkirting"));
    SetUpdate3DRoofHandler(rec("Update3DRoof"));
    SetUpdate3DRoofPanelHandler(rec("Update3DRoofPanel"));
    SetUpdate3DPathHandler(rec("Update3DPath"));
    SetUpdate3DDeckHandler(rec("Update3DDeck"));
    SetUpdate3DPhotoHandler(rec("Update3DPhoto"));
    SetUpdate3DTopoCutoutDepthObjectHandler(rec("Update3DTopoCutoutDepthObject"));
    SetUpdateAllRoofAttachmentsHandler(rec("UpdateAllRoofAttachments"));
    SetUpdateEdgingObjectHandler(rec("UpdateEdgingObject"));
    SetUpdateFenceObjectHandler(rec("UpdateFenceObject"));
    SetUpdateStairObjectHandler(rec("UpdateStairObject"));
    SetUpdateRailObjectHandler(rec("UpdateRailObject"));
    SetReRenderObjectHandler(rec("ReRenderObject"));
    SetRenderSingleObjectHandler(rec("RenderSingleObject"));
    SetRenderEntireObjectHandler(rec("RenderEntireObject"));
    SetRenderAllLayersHandler([this] { calls.push_back({"RenderAllLayers", nullptr}); });
}

RebuildRecorder::~RebuildRecorder() {
    for (auto* set : {SetUpdate3DFloorSkirtingHandler, SetUpdate3DRoofHandler,
                      SetUpdate3DRoofPanelHandler, SetUpdate3DPathHandler, SetUpdate3DDeckHandler,
                      SetUpdate3DPhotoHandler, SetUpdate3DTopoCutoutDepthObjectHandler,
                      SetUpdateAllRoofAttachmentsHandler, SetUpdateEdgingObjectHandler, SetUpdateFenceObjectHandler,
                      SetUpdateStairObjectHandler, SetUpdateRailObjectHandler})
        set(nullptr);
    SetCreateCustomSkylightSymbolsHandler(nullptr);
    SetReRenderObjectHandler(nullptr);
    SetRenderSingleObjectHandler(nullptr);
    SetRenderEntireObjectHandler(nullptr);
    SetRenderAllLayersHandler(nullptr);
}

int RebuildRecorder::count(const std::string& name) const {
    int n = 0;
    for (const Call& c : calls) n += c.name == name;
    return n;
}

int RebuildRecorder::count(const std::string& name, const Objex* object) const {
    int n = 0;
    for (const Call& c : calls) n += c.name == name && c.object == object;
    return n;
}

std::vector<std::string> RebuildRecorder::callsFor(const Objex* object) const {
    std::vector<std::string> names;
    for (const Call& c : calls)
        if (c.object == object) names.push_back(c.name);
    return names;
}

FrameRecorder::FrameRecorder() {
    SetBuildAttachmentFrameHandler([this](Objex* o) { built.push_back(o); });
}

FrameRecorder::~FrameRecorder() { SetBuildAttachmentFrameHandler(nullptr); }

int FrameRecorder::count(const Objex* attachment) const {
    int n = 0;
    for (const Objex* o : built) n += o == attachment;
    return n;
}

LiveViewRecorder::LiveViewRecorder() {
    SetInitializeAnimatedLVStatusHandler([this] { events.push_back("start"); });
    SetSetLVStatusStringHandler([this](const char* s) { events.push_back(std::string("status:") + (s ? s : "")); });
    SetResetAnimatedLVStatusHandler([this] { events.push_back("reset"); });
}

LiveViewRecorder::~LiveViewRecorder() {
    SetInitializeAnimatedLVStatusHandler(nullptr);
    SetSetLVStatusStringHandler(nullptr);
    SetResetAnimatedLVStatusHandler(nullptr);
}

namespace {

std::vector<Float3DPoint> PointsOf(const Objex* o) {
    std::vector<Float3DPoint> out;
    for (const Poinz* p = o ? o->firstPoint : nullptr; p; p = p->next)
        out.push_back({p->position[0], p->position[1], p->position[2]});
    return out;
}

}  // namespace

TrimRecorder::TrimRecorder() {
    SetBuildCustomTrimPlanesHandler([this](AttachmentRecord* r, Objex* outline, const Float3DPoint* profile, int32_t n,
                                           float angle, float h, float v, float d, float half, float level, int16_t side) {
        calls.push_back({"BuildCustomTrimPlanes", r, outline, nullptr, {profile, profile + n}, PointsOf(outline), angle,
                         {h, v, d}, half, level, 0, side});
    });
    SetBuildCustomTrimPlanesForWallsHandler([this](TrimRecord* r, PolygonVertex*, PolygonVertex*, const Float3DPoint* profile,
                                                   int32_t n, float length, int16_t slot, Poinz*, int16_t side) {
        calls.push_back({"BuildCustomTrimPlanesForWalls", r, nullptr, nullptr, {profile, profile + n}, {}, 0, {}, 0,
                         length, slot, side});
    });
    auto two = [this](const char* name) {
        return [this, name](Objex* o, Objex* part) {
            Call c;
            c.name = name, c.object = o, c.part = part;
            calls.push_back(c);
        };
    };
    auto one = [two](const char* name) { return [f = two(name)](Objex* o) { f(o, nullptr); }; };
    SetBuildTopSkylightTrimPlanesHandler(one("BuildTopSkylightTrimPlanes"));
    SetBuildBottomSkylightTrimPlanesHandler(one("BuildBottomSkylightTrimPlanes"));
    SetBuildDormerCutoutTrimPlanesHandler(one("BuildDormerCutoutTrimPlanes"));
    SetBuildTopCustomSkylightTrimPlanesHandler(two("BuildTopCustomSkylightTrimPlanes"));
    SetBuildBottomCustomSkylightTrimPlanesHandler(two("BuildBottomCustomSkylightTrimPlanes"));
}

TrimRecorder::~TrimRecorder() {
    SetBuildCustomTrimPlanesHandler(nullptr);
    SetBuildCustomTrimPlanesForWallsHandler(nullptr);
    for (auto* set : {SetBuildTopSkylightTrimPlanesHandler, SetBuildBottomSkylightTrimPlanesHandler,
                      SetBuildDormerCutoutTrimPlanesHandler})
        set(nullptr);
    SetBuildTopCustomSkylightTrimPlanesHandler(nullptr);
    SetBuildBottomCustomSkylightTrimPlanesHandler(nullptr);
}

std::vector<const TrimRecorder::Call*> TrimRecorder::named(const std::string& name) const {
    std::vector<const Call*> out;
    for (const Call& c : calls)
        if (c.name == name) out.push_back(&c);
    return out;
}

}  // namespace dvxtest
