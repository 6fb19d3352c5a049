// Smoothing outlines into curves in the plane of the view, and straightening them again.
#include <gtest/gtest.h>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/smoothing.h"
#include "support/model_builders.h"
#include "support/selection_builders.h"

using namespace dvxtest;

namespace {

class Smoothing : public SelectionTest {
protected:
    // (0, 0), (40, 10), (100, 30) in plan, the middle point with a V tangent of 7.
    Objex* Outline(int16_t type, bool closed) {
        Objex* o = ShapeOn(floor, type, {{0, 0}, {40, 10}, {100, 30}}, closed);
        PointAt(o, 1)->inTangent[1] = 7.0f;
        PointAt(o, 1)->outTangent[1] = 7.0f;
        return o;
    }
    static void ExpectTangent(const Poinz* p, float h, float v, float d) {
        for (const float* t : {p->inTangent, p->outTangent}) {
            EXPECT_FLOAT_EQ(t[0], h);
            EXPECT_FLOAT_EQ(t[1], v);
            EXPECT_FLOAT_EQ(t[2], d);
        }
    }
};

TEST_F(Smoothing, InPlanTheTangentsFollowTheNeighboursChordTimesTheTension) {
    CurrentDocState()->curveTension = 10;
    Objex* open = Outline(objtype::kFill, false);
    SmoothObject(open);
    ExpectTangent(PointAt(open, 0), 0, 0, 0);
    ExpectTangent(PointAt(open, 1), 100, 7, 30);  // (third - first), V untouched
    ExpectTangent(PointAt(open, 2), 0, 0, 0);

    CurrentDocState()->curveTension = 5;
    SmoothObject(open);
    ExpectTangent(PointAt(open, 1), 50, 7, 15);

    // Closed, the ends take the other end as a neighbour.
    Objex* closed = Outline(objtype::kFill, true);
    SmoothObject(closed);
    ExpectTangent(PointAt(closed, 0), 0.5f * (40 - 100), 0, 0.5f * (10 - 30));
    ExpectTangent(PointAt(closed, 1), 50, 7, 15);
    ExpectTangent(PointAt(closed, 2), 0.5f * (0 - 40), 0, 0.5f * (0 - 10));
}

TEST_F(Smoothing, ElevationViewsUseTheirPlaneAndOtherViewsChangeNothing) {
    CurrentDocState()->curveTension = 10;
    Objex* o = ShapeOn(floor, objtype::kFill, {{0, 0}, {40, 10}, {100, 30}});
    PointAt(o, 0)->position[1] = 4;
    PointAt(o, 2)->position[1] = 24;

    CurrentDocState()->viewKind = 1;  // front: H and V
    SmoothObject(o);
    ExpectTangent(PointAt(o, 1), 100, 20, 0);

    UnsmoothObject(o);
    CurrentDocState()->viewKind = 3;  // side: D and V
    SmoothObject(o);
    ExpectTangent(PointAt(o, 1), 0, 20, 30);

    UnsmoothObject(o);
    CurrentDocState()->viewKind = 4;
    SmoothObject(o);
    ExpectTangent(PointAt(o, 1), 0, 0, 0);
}

TEST_F(Smoothing, SelectedPointsOnlyAndStraighteningOneEnd) {
    CurrentDocState()->curveTension = 10;
    Objex* o = ShapeOn(floor, objtype::kFill, {{0, 0}, {40, 10}, {100, 30}, {20, 60}}, true);
    PointAt(o, 2)->selected = 1;
    SmoothSelectedObject(o);
    ExpectTangent(PointAt(o, 1), 0, 0, 0);
    ExpectTangent(PointAt(o, 2), 20 - 40, 0, 60 - 10);  // neighbours need not be selected
    ExpectTangent(PointAt(o, 3), 0, 0, 0);

    SmoothObject(o);
    UnsmoothSelectedObject(o);
    // Only the selected point's ends of the segments (1, 2) and (2, 3) are straight now.
    ExpectTangent(PointAt(o, 2), 0, 0, 0);
    ExpectTangent(PointAt(o, 1), 100, 0, 30);
    ExpectTangent(PointAt(o, 3), 0 - 100, 0, 0 - 30);
}

TEST_F(Smoothing, ObjectSmoothingTreatsItsSixTypesAndDeselectsTheRest) {
    CurrentDocState()->curveTension = 10;
    Objex* wall = WallOn(floor, {{0, 0}, {40, 10}, {100, 30}});
    SelectAllPoints(wall);
    ObjectSmoothing(wall);
    EXPECT_EQ(SelectedPointCount(wall), 0);
    ExpectTangent(PointAt(wall, 1), 0, 0, 0);

    Objex* railing = Outline(objtype::kRailing, false);
    ObjectSmoothing(railing);
    ExpectTangent(PointAt(railing, 1), 100, 7, 30);
    ObjectStraightening(railing);
    ExpectTangent(PointAt(railing, 1), 0, 0, 0);  // all six floats

    Objex* smoothWall = WallOn(floor, {{0, 0}, {40, 10}, {100, 30}});
    SmoothObject(smoothWall);
    SelectAllPoints(smoothWall);
    ObjectStraightening(smoothWall);
    EXPECT_EQ(SelectedPointCount(smoothWall), 0);
    ExpectTangent(PointAt(smoothWall, 1), 100, 0, 30);
}

}  // namespace
