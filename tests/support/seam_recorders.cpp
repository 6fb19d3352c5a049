#include "support/seam_recorders.h"

#include "geometry/openings/trim_plane_seams.h"
#include "model/objects.h"
#include "render/core/live_view_seams.h"

namespace dvxtest {

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

LiveViewHostRecorder::LiveViewHostRecorder(GLSurface* surface, float width, float height)
    : surface_(surface), width_(width), height_(height) {
    SetLiveViewHost(this);
}

LiveViewHostRecorder::~LiveViewHostRecorder() {
    if (CurrentLiveViewHost() == this) SetLiveViewHost(nullptr);
}

FloatRect LiveViewHostRecorder::liveViewOGLViewBounds() {
    FloatRect r;
    r.floatBottom = height_, r.floatRight = width_;
    return r;
}

void LiveViewHostRecorder::flushBuffer() { events.push_back("flush"); }
void LiveViewHostRecorder::initializeLVLightProgressUsingLightCount(int32_t count) {
    events.push_back("progress:" + std::to_string(count));
}
void LiveViewHostRecorder::updateLVLightProgressWithLightCount(int32_t count) {
    events.push_back("progress-step:" + std::to_string(count));
}
void LiveViewHostRecorder::resetLVLightProgress() { events.push_back("progress-reset"); }
void LiveViewHostRecorder::flushBufferedKeyEvents() {
    events.push_back("drop-keys");
    interrupts.dropBufferedKeys();
}

TrimRecorder::TrimRecorder() {
    auto flat = [](const Float3DPoint* p, int32_t n) {
        std::vector<float> out;
        for (int32_t i = 0; i < n; ++i) out.insert(out.end(), {p[i].floatH, p[i].floatV, p[i].floatD});
        return out;
    };
    SetBuildCustomTrimPlanesHandler([this, flat](AttachmentRecord* r, Objex* o, const Float3DPoint* p,
                                                 int32_t n, float a, float h, float v, float d,
                                                 float t, float level, int16_t side) {
        std::vector<float> outline;
        for (const Poinz* q = o->firstPoint; q; q = q->next)
            outline.insert(outline.end(), q->position, q->position + 3);
        calls.push_back({"BuildCustomTrimPlanes", r, o, nullptr, flat(p, n), outline,
                         {a, h, v, d, t, level, 1.0f * side}});
    });
    SetBuildCustomTrimPlanesForWallsHandler(
        [this, flat](TrimRecord* r, PolygonVertex*, PolygonVertex*, const Float3DPoint* p, int32_t n,
                     float length, int16_t slot, Poinz*, int16_t side) {
            calls.push_back({"BuildCustomTrimPlanesForWalls", r, nullptr, nullptr, flat(p, n), {},
                             {length, 1.0f * slot, 1.0f * side}});
        });
    SetBuildInnerTrimPlanesHandler([this](AttachmentRecord* r, float a, float level, int16_t custom) {
        calls.push_back({"BuildInnerTrimPlanes", r, nullptr, nullptr, {}, {}, {a, level, 1.0f * custom}});
    });
    auto two = [this](const char* name) {
        return [this, name](Objex* o, Objex* part) {
            calls.push_back({name, nullptr, o, part, {}, {}, {}});
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
    SetBuildInnerTrimPlanesHandler(nullptr);
    for (auto* set : {SetBuildTopSkylightTrimPlanesHandler, SetBuildBottomSkylightTrimPlanesHandler,
                      SetBuildDormerCutoutTrimPlanesHandler})
        set(nullptr);
    SetBuildTopCustomSkylightTrimPlanesHandler(nullptr);
    SetBuildBottomCustomSkylightTrimPlanesHandler(nullptr);
}

}  // namespace dvxtest
