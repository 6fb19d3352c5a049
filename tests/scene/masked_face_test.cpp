// A face less the masks of its openings: what remains, whichever way the masks turn, wherever
// they reach past the face, however the face was split.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "scene/tessellation.h"
#include "support/scene_checks.h"

namespace {

using namespace dvxtest;
using Owned = std::unique_ptr<PlaneObject, void (*)(PlaneObject*)>;

// A rectangle in the z = `d` plane from (h0, v0) to (h1, v1), its corners one way or the other.
std::vector<V3> Rect(float h0, float v0, float h1, float v1, bool reversed = false, float d = 0) {
    std::vector<V3> r = {{h0, v0, d}, {h1, v0, d}, {h1, v1, d}, {h0, v1, d}};
    if (reversed) std::reverse(r.begin(), r.end());
    return r;
}

// A face 100 wide and 50 high in z = 0 (5000), as one rectangle or as two triangles meeting on
// the diagonal the doors cross.
TEST(MaskedFace, RemainsTheFaceLessTheOpeningsWhateverTheirTurnOrReach) {
    struct Row {
        const char* what;
        std::vector<std::vector<V3>> masks;
        bool cuts;
        double area;
    };
    const Row rows[] = {
        {"door reaching 1 below the face", {Rect(40, 1, 60, -30)}, true, 5000 - 20 * 30},
        {"the same door turned the other way", {Rect(40, 1, 60, -30, true)}, true, 4400},
        {"two overlapping doors cut once", {Rect(40, 1, 60, -30), Rect(50, 1, 70, -30, true)}, true, 4100},
        {"door and window", {Rect(40, 1, 60, -30), Rect(70, -10, 90, -40)}, true, 3800},
        {"mask covering the face", {Rect(-10, 10, 110, -60)}, true, 0},
        {"mask off the face's plane", {Rect(40, 1, 60, -30, false, 5)}, false, 5000},
        {"mask beside the face", {Rect(140, 1, 160, -30)}, false, 5000},
        {"mask across the face", {{{50}, {50}, {50, -30, 10}, {50, -30, -10}}}, false, 5000},
    };
    for (bool split : {false, true})
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(row.what) + (split ? ", split face" : ""));
            Owned face(CreatePlaneObject(), DeletePlaneObject), masks(CreatePlaneObject(), DeletePlaneObject);
            if (split) {
                AddPlane(face.get(), {{0}, {100}, {100, -50, 0}}, {0, 0, -0.5f});
                AddPlane(face.get(), {{0}, {100, -50, 0}, {0, -50, 0}}, {0, 0, -0.5f});
            } else {
                AddPlane(face.get(), Rect(0, 0, 100, -50), {0, 0, -0.5f});
            }
            for (size_t i = 0; i < row.masks.size(); ++i)  // each its own piece, as the cutters make them
                AddPlane(i ? (AppendPlaneObjectToList(masks->next, CreatePlaneObject()), masks->next) : masks.get(),
                         row.masks[i], {0, 0, -0.5f});
            Owned left(CreatePlaneObject(), DeletePlaneObject);
            for (Plane* plane = face->planes; plane; plane = plane->next) {
                for (uint32_t k = 0; k < plane->count; ++k) plane->vertices[k].u = plane->vertices[k].H;
                EXPECT_EQ(MasksCutPlane(plane, masks.get()), row.cuts);
                Plane* part = TriangulatePlaneMinusMasks(plane, masks.get());
                for (Plane* t = part; t; t = t->next) {
                    EXPECT_TRUE(Near({t->count, t->nx, t->ny, t->nz}, {3, plane->nx, plane->ny, plane->nz}));
                    for (uint32_t k = 0; k < 3; ++k)  // texture values follow the face's, here u = x
                        EXPECT_NEAR(t->vertices[k].u, t->vertices[k].H, 1e-3);
                }
                Plane* tail = left->planes;
                while (tail && tail->next) tail = tail->next;
                (tail ? tail->next : left->planes) = part;
                if (part) part->prev = tail;
            }
            EXPECT_NEAR(Area({left.get()}), row.area, 1e-2);
            DeletePlaneObjectList(masks->next);
        }
}

}  // namespace
