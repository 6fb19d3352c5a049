#include "support/seam_recorders.h"

#include "geometry/elements/rebuild_seams.h"
#include "geometry/openings/attachment_frame_seams.h"
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

}  // namespace dvxtest
