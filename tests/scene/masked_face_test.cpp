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

Owned NewPiece() { return Owned(CreatePlaneObject(), DeletePlaneObject); }

// A rectangle in the z = `d` plane from (h0, v0) to (h1, v1), corners counter-clockwise or not.
std::vector<V3> Rect(float h0, float v0, float h1, float v1, bool reversed = false, float d = 0) {
    std::vector<V3> r = {{h0, v0, d}, {h1, v0, d}, {h1, v1, d}, {h0, v1, d}};
    if (reversed) std::reverse(r.begin(), r.end());
    return r;
}

// Whether a triangle of the list holds (h, v) strictly inside (z ignored: the face is flat).
bool Covers(const PlaneObject* piece, double h, double v) {
    for (const Plane* t : PlanesOf(piece)) {
        const PlaneVertex* c = t->vertices;
        double s[3];
        for (int k = 0; k < 3; ++k) {
            const PlaneVertex &a = c[k], &b = c[(k + 1) % 3];
            s[k] = (b.H - a.H) * (v - a.V) - (b.V - a.V) * (h - a.H);
        }
        if ((s[0] > 1e-6 && s[1] > 1e-6 && s[2] > 1e-6) || (s[0] < -1e-6 && s[1] < -1e-6 && s[2] < -1e-6)) return true;
    }
    return false;
}

// A face 100 wide and 50 high (y up is negative) in z = 0: 5000 before any opening.
TEST(MaskedFace, RemainsTheFaceLessTheOpeningsWhateverTheirTurnOrReach) {
    struct Row {
        const char* what;
        std::vector<std::vector<V3>> masks;
        bool cuts;
        double area;
        double h, v;  // a point of an opening (or, when nothing cuts, of the face)
    };
    const Row rows[] = {
        {"door reaching 1 below the face", {Rect(40, 1, 60, -30)}, true, 5000 - 20 * 30, 50, -15},
        {"the same door turned the other way", {Rect(40, 1, 60, -30, true)}, true, 4400, 50, -15},
        {"window inside", {Rect(20, -20, 40, -40)}, true, 4600, 30, -30},
        {"two overlapping doors cut once", {Rect(40, 1, 60, -30), Rect(50, 1, 70, -30, true)}, true, 4100, 65, -15},
        {"door and window", {Rect(40, 1, 60, -30), Rect(70, -10, 90, -40)}, true, 3800, 80, -25},
        {"mask off the face's plane", {Rect(40, 1, 60, -30, false, 5)}, false, 5000, 50, -15},
        {"mask beside the face", {Rect(140, 1, 160, -30)}, false, 5000, 50, -15},
        {"mask standing across the face", {{{50, 0, -10}, {50, 0, 10}, {50, -30, 10}, {50, -30, -10}}}, false, 5000, 50, -15},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Owned face = NewPiece(), masks = NewPiece();
        Plane* plane = AddPlane(face.get(), Rect(0, 0, 100, -50), {0, 0, -0.5f});
        // Each mask its own piece, as the cutters make them.
        PlaneObject* last = masks.get();
        AddPlane(last, row.masks[0], {0, 0, -0.5f});
        for (size_t i = 1; i < row.masks.size(); ++i) {
            PlaneObject* m = CreatePlaneObject();
            AddPlane(m, row.masks[i], {0, 0, -0.5f});
            last->next = m, m->prev = last, last = m;
        }
        EXPECT_EQ(MasksCutPlane(plane, masks.get()), row.cuts);
        Owned left = NewPiece();
        left->planes = TriangulatePlaneMinusMasks(plane, masks.get());
        ASSERT_NE(left->planes, nullptr);
        EXPECT_NEAR(Area({left.get()}), row.area, 1e-2);
        EXPECT_NE(Covers(left.get(), row.h, row.v), row.cuts);
        for (const Plane* t : PlanesOf(left.get()))
            EXPECT_TRUE(Near({t->count, t->nx, t->ny, t->nz}, {3, plane->nx, plane->ny, plane->nz}));
        for (PlaneObject* m = masks->next; m;) {
            PlaneObject* next = m->next;
            DeletePlaneObject(m);
            m = next;
        }
        masks->next = nullptr;
    }
}

TEST(MaskedFace, ASplitFaceLosesTheOpeningFromEachPartAndAFaceCoveredWholeIsGone) {
    // The face as two triangles meeting on its diagonal, which the door crosses.
    Owned face = NewPiece(), door = NewPiece();
    Plane* lower = AddPlane(face.get(), {{0, 0, 0}, {100, 0, 0}, {100, -50, 0}}, {0, 0, -0.5f});
    Plane* upper = AddPlane(face.get(), {{0, 0, 0}, {100, -50, 0}, {0, -50, 0}}, {0, 0, -0.5f});
    AddPlane(door.get(), Rect(40, 1, 60, -30), {0, 0, -0.5f});
    Owned left = NewPiece();
    left->planes = TriangulatePlaneMinusMasks(lower, door.get());
    Plane* tail = left->planes;
    while (tail && tail->next) tail = tail->next;
    Plane* more = TriangulatePlaneMinusMasks(upper, door.get());
    ASSERT_TRUE(tail && more);
    tail->next = more, more->prev = tail;
    EXPECT_NEAR(Area({left.get()}), 4400, 1e-2);
    EXPECT_FALSE(Covers(left.get(), 50, -15));
    // Texture values follow the face's (u = x here), at the door's corners and crossings too.
    lower->vertices[0].u = 0, lower->vertices[1].u = 100, lower->vertices[2].u = 100;
    Plane* textured = TriangulatePlaneMinusMasks(lower, door.get());
    for (Plane* t = textured; t; t = t->next)
        for (uint32_t k = 0; k < 3; ++k) EXPECT_NEAR(t->vertices[k].u, t->vertices[k].H, 1e-3);
    DeletePlaneList(textured);

    Owned wholeDoor = NewPiece();
    AddPlane(wholeDoor.get(), Rect(-10, 10, 110, -60), {0, 0, -0.5f});
    EXPECT_EQ(TriangulatePlaneMinusMasks(lower, wholeDoor.get()), nullptr);
    EXPECT_EQ(TriangulatePlaneMinusMasks(nullptr, door.get()), nullptr);
}

}  // namespace
