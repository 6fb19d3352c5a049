// Smoothing outlines into curves in the plane of the view, and straightening them again.
#include <gtest/gtest.h>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/smoothing.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

class Smoothing : public SelectionTest {
protected:
    // (0, 0), (40, 10), (100, 30) in plan, the middle point with a V tangent of 7.
    Objex* Outline(int16_t type, bool closed) {
        Objex* o = Shape(floor, type, {{0, 0}, {40, 10}, {100, 30}}, closed);
        PointAt(o, 1)->inTangent[1] = PointAt(o, 1)->outTangent[1] = 7.0f;
        return o;
    }
    // Both tangents of a smoothed point are the same.
    static void ExpectTangent(const Poinz* p, float h, float v, float d) {
        for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(p->inTangent[i], p->outTangent[i]);
        EXPECT_FLOAT_EQ(p->outTangent[0], h);
        EXPECT_FLOAT_EQ(p->outTangent[1], v);
        EXPECT_FLOAT_EQ(p->outTangent[2], d);
    }
};

TEST_F(Smoothing, TangentsAreTheNeighboursChordTimesTheTensionInTheViewsPlane) {
    DocState* ds = CurrentDocState();
    ds->curveTension = 10;
    Objex* open = Outline(objtype::kFill, false);
    SmoothObject(open);
    ExpectTangent(PointAt(open, 0), 0, 0, 0);
    ExpectTangent(PointAt(open, 1), 100, 7, 30);  // V untouched in plan
    ExpectTangent(PointAt(open, 2), 0, 0, 0);

    ds->curveTension = 5;
    Objex* closed = Outline(objtype::kFill, true);
    SmoothObject(closed);
    ExpectTangent(PointAt(closed, 0), -30, 0, -10);  // neighbours: last and second
    ExpectTangent(PointAt(closed, 1), 50, 7, 15);
    ExpectTangent(PointAt(closed, 2), -20, 0, -5);

    PointAt(open, 2)->position[1] = 20;
    ds->viewKind = 1;  // front: H and V; D keeps its value
    SmoothObject(open);
    ExpectTangent(PointAt(open, 1), 50, 10, 30);
    ds->viewKind = 3;  // side: D and V
    UnsmoothObject(open);
    SmoothObject(open);
    ExpectTangent(PointAt(open, 1), 0, 10, 15);
    ds->viewKind = 4;
    UnsmoothObject(open);
    SmoothObject(open);
    ExpectTangent(PointAt(open, 1), 0, 0, 0);
}

TEST_F(Smoothing, SelectedPointsAloneAndTheCommandsTypes) {
    CurrentDocState()->curveTension = 10;
    Objex* o = Shape(floor, objtype::kFill, {{0, 0}, {40, 10}, {100, 30}, {20, 60}}, true);
    PointAt(o, 2)->selected = 1;
    SmoothSelectedObject(o);
    ExpectTangent(PointAt(o, 1), 0, 0, 0);
    ExpectTangent(PointAt(o, 2), -20, 0, 50);  // unselected neighbours still count

    SmoothObject(o);
    UnsmoothSelectedObject(o);  // straight only at point 3's end of its two segments
    ExpectTangent(PointAt(o, 2), 0, 0, 0);
    ExpectTangent(PointAt(o, 1), 100, 0, 30);
    ExpectTangent(PointAt(o, 3), -100, 0, -30);

    Objex* wall = Wall(floor, {{0, 0}, {40, 10}, {100, 30}});
    Make(wall).select();
    ObjectSmoothing(wall);
    EXPECT_EQ(SelectedPointCount(wall), 0);
    ExpectTangent(PointAt(wall, 1), 0, 0, 0);

    Objex* railing = Outline(objtype::kRailing, false);
    ObjectSmoothing(railing);
    ExpectTangent(PointAt(railing, 1), 100, 7, 30);
    ObjectStraightening(railing);
    ExpectTangent(PointAt(railing, 1), 0, 0, 0);
}

}  // namespace
