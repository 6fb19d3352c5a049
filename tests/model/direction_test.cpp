// Reversing runs, rows and curved outlines, checking the winding, and cap facing in the
// current and the fixed cap view.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/build.h"
#include "model/deletion.h"
#include "model/direction.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "model/projection.h"
#include "model/segment_sampling.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

class DirectionTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc->itsDocState->viewKind = 2;
        layer = doc->itsLayers;
        SetPlanView();
    }

    std::vector<float> HOrder(Objex* o) {
        std::vector<float> hs;
        for (Poinz* p = o->firstPoint; p; p = p->next) hs.push_back(p->position[0]);
        return hs;
    }

    // A capped two-row surface whose first three points run +H then +D (or +D then +H).
    Objex* Capped(bool hFirst) {
        Objex* o = Make(objtype::kClosedSolid);
        o->closed = 1;
        o->rows = 2;
        for (float v : {0.0f, 10.0f}) {
            Point(o, {0, v, 0});
            if (hFirst) { Point(o, {100, v, 0}); Point(o, {0, v, 100}); }
            else { Point(o, {0, v, 100}); Point(o, {100, v, 0}); }
        }
        return o;
    }

    Layer* layer = nullptr;
};

TEST_F(DirectionTest, ReversingARunCutsItFromWhatFollowed) {
    Objex* o = Make(objtype::kPolygon).on(layer);
    Poinz* p1 = Point(o, {1, 0, 0});
    Poinz* p2 = Point(o, {2, 0, 0});
    Poinz* p3 = Point(o, {3, 0, 0});
    Poinz* p4 = Point(o, {4, 0, 0});
    EXPECT_EQ(ReverseSegmentDirection(p1, 3), p3);
    EXPECT_EQ(p3->prev, nullptr);
    EXPECT_EQ(p2->prev, p3);
    EXPECT_EQ(p1->next, nullptr);
    // The caller relinks the rest.
    o->firstPoint = p3;
    p1->next = p4;
    p4->prev = p1;
    EXPECT_EQ(HOrder(o), (std::vector<float>{3, 2, 1, 4}));
    EXPECT_EQ(ReverseSegmentDirection(p4, 5), nullptr);  // no successor
}

TEST_F(DirectionTest, ObjectReversalGoesRowByRow) {
    Objex* surface = Make(objtype::kPolygon).on(layer);
    surface->rows = 2;
    for (int i = 1; i <= 6; ++i) Point(surface, {static_cast<float>(i), 0, 0});
    ReverseObjectDirection(surface);
    EXPECT_EQ(HOrder(surface), (std::vector<float>{3, 2, 1, 6, 5, 4}));
    EXPECT_EQ(PointAt(surface, 3)->prev, PointAt(surface, 2));

    // Only outline types; the "any" form reverses every type.
    Objex* rect = Make(objtype::kRectangle).on(layer);
    for (int i = 1; i <= 3; ++i) Point(rect, {static_cast<float>(i), 0, 0});
    ReverseObjectDirection(rect);
    EXPECT_EQ(HOrder(rect), (std::vector<float>{1, 2, 3}));
    ReverseAnyObjectDirection(rect);
    EXPECT_EQ(HOrder(rect), (std::vector<float>{3, 2, 1}));
}

TEST_F(DirectionTest, ReversedCurvedOutlineSamplesTheSameCurve) {
    Objex* o = Make(objtype::kPolygon).on(layer);
    Point(o, {0, 0, 0, {30, 0, 30}, {30, 0, 30}});
    Point(o, {100, 0, 0, {40, 0, -20}, {40, 0, -20}});   // smoothed: one tangent through the point
    Point(o, {100, 0, 100, {0, 0, 50}, {10, 0, 60}});     // a point whose two tangents differ
    Point(o, {0, 0, 100, {-20, 0, 0}, {0, 0, 0}});

    std::vector<SegmentCubic> before;
    for (Poinz* p = o->firstPoint; p->next; p = p->next) before.emplace_back(p, p->next);

    ReverseAnyObjectDirection(o);
    std::vector<SegmentCubic> after;
    for (Poinz* p = o->firstPoint; p->next; p = p->next) after.emplace_back(p, p->next);
    ASSERT_EQ(after.size(), 3u);

    for (size_t s = 0; s < 3; ++s) {
        for (float t : {0.0f, 0.2f, 0.5f, 0.7f, 1.0f}) {
            float a[3], b[3];
            after[s].At(t, a);
            before[2 - s].At(1.0f - t, b);
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(a[k], b[k], 1e-3f) << "segment " << s << " t " << t;
        }
    }
}

TEST_F(DirectionTest, VerifyReversesOnlyAWronglyWoundOutlineWhenAsked) {
    auto square = [&](std::initializer_list<float> hs, std::initializer_list<float> ds) {
        Objex* o = Make(objtype::kPolygon).on(layer);
        o->closed = 1;
        for (auto h = hs.begin(), d = ds.begin(); h != hs.end(); ++h, ++d) Point(o, {*h, 0, *d});
        return o;
    };
    Objex* right = square({0, 0, 100, 100}, {0, 100, 100, 0});  // anticlockwise on screen
    EXPECT_EQ(VerifyObjectDirection(right, 0), 1);
    EXPECT_EQ(VerifyObjectDirection(right, 1), 1);
    EXPECT_EQ(HOrder(right), (std::vector<float>{0, 0, 100, 100}));

    Objex* wrong = square({0, 100, 100, 0}, {0, 0, 100, 100});
    EXPECT_EQ(VerifyObjectDirection(wrong, 0), 0);
    EXPECT_FLOAT_EQ(wrong->firstPoint->position[2], 0);
    EXPECT_EQ(VerifyObjectDirection(wrong, 1), 0);
    EXPECT_FLOAT_EQ(wrong->firstPoint->position[2], 100);  // now (0, 100) (100, 100) ...
    EXPECT_EQ(VerifyObjectDirection(wrong, 0), 1);
}

TEST_F(DirectionTest, CapFacingFollowsThePlaneOfTheFirstThreePoints) {
    // Seen from above, +H then +D turns with a positive third normal component: -1.
    Objex* down = Capped(true);
    Objex* up = Capped(false);
    ValidateCapDirection(down);
    ValidateCapDirection(up);
    EXPECT_EQ(down->elevationMode, -1);
    EXPECT_EQ(up->elevationMode, 1);

    // Without the cap flag nothing is stored.
    Objex* noFlag = Capped(true);
    noFlag->flagA = 0;
    ValidateCapDirection(noFlag);
    EXPECT_EQ(noFlag->elevationMode, 0);

    // A wall works on its solid and the solid's children, not on its own children.
    Objex* wall = Make(objtype::kWall).on(layer);
    Objex* solid = Capped(true);
    Make(up).in(solid);
    up->elevationMode = 0;
    Make(wall).solid(solid);
    Objex* opening = Capped(false);
    Make(opening).in(wall);
    ValidateCapDirection(wall);
    EXPECT_EQ(solid->elevationMode, -1);
    EXPECT_EQ(up->elevationMode, 1);
    EXPECT_EQ(opening->elevationMode, 0);

    for (Objex* o : {down, noFlag}) DeleteObj(o);
}

TEST_F(DirectionTest, AllLayersUseTheFixedCapViewAndRestoreTheRotation) {
    // Seen from below, the same turn faces the other way.
    SetView(270, 0);
    Layer* shown = layer;
    Layer* hidden = layer->next;
    ASSERT_NE(hidden, nullptr);
    shown->visible = 1;
    hidden->visible = 0;
    Objex* a = Capped(true);
    AppendObjectToLayer(a, shown);
    Objex* b = Capped(true);
    AppendObjectToLayer(b, hidden);

    ValidateCapDirectionAllLayers(doc->itsLayers);
    EXPECT_EQ(a->elevationMode, -1);
    EXPECT_EQ(b->elevationMode, 0);
    EXPECT_NEAR(gSinXAngle, -1.0f, 1e-5f);
    EXPECT_NEAR(gCosXAngle, 0.0f, 1e-5f);

    ValidateCapDirectionLayer(shown);
    EXPECT_EQ(a->elevationMode, 1);
    ValidateCapDirectionLayer(hidden);
    EXPECT_EQ(b->elevationMode, 0);
}

}  // namespace
