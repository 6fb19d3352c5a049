#pragma once
// A design seen from above at zoom 1 and scale 72 (a view point is a plan point is an inch),
// without grid snap, with undo recorded, a plan view that records what is drawn, and the
// drafting and tool trackers registered; gestures are played with `g`.
#include "plan/base_2d_view.h"
#include "support/doubles.h"
#include "support/drawing_doubles.h"
#include "support/gesture_driver.h"
#include "support/records.h"

namespace dvxtest {

class PlanGestureTest : public FileTest {
protected:
    PlanGestureTest() : FileTest("gestures") {}
    void SetUp() override;
    void TearDown() override;
    // The current layer's last object.
    Objex* Last();
    // A press, drags through the points and a release at the last; then Last().
    Objex* Drag(std::vector<POINT> path, uint32_t modifiers = 0);

    DocState* ds = nullptr;
    RecordingUndo undo;
    RecordingContext context;
    port::DrawingScope scope{context};
    FakeViewHost host;
    Base2DView view{&host};
    GestureDriver g;
    int resets = 0;  // ResetStandardTool calls
};

}  // namespace dvxtest
