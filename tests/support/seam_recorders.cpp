#include "support/seam_recorders.h"

#include "geometry/elements/rebuild_seams.h"
#include "model/objects.h"
#include "render/core/live_view_seams.h"
#include "tools/rebuild_seams.h"

namespace dvxtest {

RebuildRecorder::RebuildRecorder() {
    auto rec = [this](const char* name) {
        return [this, name](Objex* o) { calls.push_back({name, o}); };
    };
    SetUpdateEdgingObjectHandler(rec("UpdateEdgingObject"));
    SetUpdateFenceObjectHandler(rec("UpdateFenceObject"));
    SetUpdateRailObjectHandler(rec("UpdateRailObject"));
}

RebuildRecorder::~RebuildRecorder() {
    for (auto* set : {SetUpdateEdgingObjectHandler, SetUpdateFenceObjectHandler, SetUpdateRailObjectHandler})
        set(nullptr);
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

}  // namespace dvxtest
