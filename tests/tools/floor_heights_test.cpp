// Objects drawn by the tools on an upper floor stand on that floor in the 3D scene.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "app/core/event_handler.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "support/scene_checks.h"
#include "tracking/track_events.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;

class FloorHeights : public PlanGestureTest {
protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        RegisterLiveView(true);
    }
    void Clicks(std::vector<POINT> at, bool escape = true) {
        for (POINT p : at) g.move(p), g.click(p);
        if (escape) g.key(keycode::kEscape);
    }
    // The lowest height (inches) of the scene pieces of the object and its parts.
    float Lowest(const Objex* o) {
        float lowest = 1e9f;
        for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) {
            if (p->baseObject != o) continue;
            for (const Plane* pl = p->planes; pl; pl = pl->next)
                for (uint32_t i = 0; i < pl->count; ++i) lowest = std::min(lowest, -pl->vertices[i].V);
        }
        return ConvertScreenToWorld(lowest, ds, 0);
    }
};

TEST_F(FloorHeights, Probe) {
    Win32EventHandler().workOnFloorUsingCommand(5276);
    std::printf("cur %s elev %g\n", doc->itsCurLayer->name, ds->currentElevation);
    struct Row { int16_t tool; int kind; } rows[] = {
        {7050, 0}, {7052, 0}, {7000, 1}, {7001, 0}, {7002, 2}, {7062, 1}, {7600, 1}, {7058, 1}, {7060, 1},
        {7505, 1}, {7400, 0}, {7306, 1}, {7502, 1}, {7504, 1}, {7503, 0}, {7054, 0}};
    int y = 50;
    for (const Row& r : rows) {
        gCurTool = r.tool;
        const int before = CountObjects(doc->itsCurLayer->firstObject);
        if (r.kind == 0) Drag({{100, y}, {150, y}, {300, y}});
        else if (r.kind == 1) Clicks({{100, y}, {300, y}, {300, y + 40}, {100, y + 40}});
        else g.click({100, y});
        Objex* o = Last();
        if (CountObjects(doc->itsCurLayer->firstObject) == before) { std::printf("tool %d made nothing\n", r.tool); continue; }
        ReRenderObject(o);
        std::printf("tool %d type %d elev %g lowest %g\n", r.tool, o->type, o->elevation, Lowest(o));
        y += 60;
    }
}

}  // namespace

namespace {
TEST_F(FloorHeights, ProbeAutoFloor) {
    gCurTool = 7050;
    Drag({{100, 100}, {200, 100}, {300, 100}});
    Drag({{300, 100}, {300, 200}, {300, 300}});
    Drag({{300, 300}, {200, 300}, {100, 300}});
    Drag({{100, 300}, {100, 200}, {100, 100}});
    std::printf("objects %d\n", CountObjects(doc->itsCurLayer->firstObject));
    Objex* w = doc->itsCurLayer->firstObject;
    std::printf("closed %d points %d count %d flagA %d interior %d\n", w->closed, 0, w->pointCount, w->flagA, w->auxColor.red);
    for (Poinz* p = w->firstPoint; p; p = p->next) std::printf("  %g %g %g\n", p->position[0], p->position[1], p->position[2]);
    ReRenderObject(w);
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) {
        if (p->pieceKind != 36 && p->pieceKind != 46) continue;
        std::printf("piece kind %d surf %d\n", p->pieceKind, p->surfaceKind);
        for (const Plane* pl = p->planes; pl; pl = pl->next) {
            std::printf(" plane %u:", pl->count);
            for (uint32_t i = 0; i < pl->count; ++i) std::printf(" (%g %g %g)", pl->vertices[i].H, pl->vertices[i].V, pl->vertices[i].D);
            std::printf("\n");
        }
    }
}
}  // namespace
