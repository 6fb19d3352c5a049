#include "tracking/tracking_state.h"

#include <algorithm>
#include <iterator>

#include "model/deletion.h"
#include "model/objects.h"
#include "port/seam.h"

uint8_t gSnapLocked = 0;
uint8_t gMouseCaptured = 0;
ClickInfo gClickInfo;
FloatRect gDataRect;
Float3DRect gData3DRect;
uint8_t gSkipConstraints = 0;
int16_t gPrevTrackModifiers = 0;
uint8_t gTrackingObject = 0;
uint8_t gResetToWallTool = 0;
int16_t gResetWallTool = 0;
uint8_t gFilletChamferUndo = 0;
uint8_t gTrackMadeNothing = 0;
uint8_t gTrackStepToSheet = 0;
uint32_t gEventModifiers = 0;
float gDownX = 0, gDownY = 0, gDownZ = 0;
float gUpX = 0, gUpY = 0, gUpZ = 0;
float gTrackConstrainAngle = 0;
float gPrevTrackConstrainAngle = kNoTrackValue;
FloatPoint gTranslateWallSegPt1{kNoTrackValue, kNoTrackValue}, gTranslateWallSegPt2{kNoTrackValue, kNoTrackValue};
FloatPoint gPrevTranslateWallSegPt1{kNoTrackValue, kNoTrackValue}, gPrevTranslateWallSegPt2{kNoTrackValue, kNoTrackValue};
uint8_t gChangeSnapOK = 0;
uint8_t gPerpAtStart = 0;
Poinz* gPerpStartPtz = nullptr;
Poinz* gPerpEndPtz = nullptr;
ClickInfo gSnapInfo;
uint8_t gTrackingPoly = 0;
uint8_t gLockRectTool = 0, gLockOvalTool = 0, gLockArcTool = 0;
uint8_t gCenterRectTool = 0, gCenterOvalTool = 0, gCenterLineTool = 0;
// The detail panes' draw methods start at "Closed polygon" and "Closed curve".
uint8_t gClosePolyTool = 1, gCloseSplineTool = 1;
FloatPoint gPerpFromLoc{kNoPerpFrom, kNoPerpFrom};
uint8_t g3DObjects = 0;
int16_t gMouseState = 0;
float gTrackState[12] = {};
float gMouseModeLimit = 20.0f;
int32_t gLastEditToolID = 213;
float gFirstDownX = 0, gFirstDownY = 0, gFirstDownZ = 0;
float gFirstUpX = 0, gFirstUpY = 0, gFirstUpZ = 0;
POINT gStartMouse, gBeginMouse, gEndMouse;
uint8_t gBeginKeepTracking = 0;
uint8_t gLineOpposingPtSelected = 0;
Poinz* gLineOpposingPoint = nullptr;
Poinz* gTrackPrevPoint = nullptr;
Poinz* gTrackNextPoint = nullptr;
uint8_t gTrackPrevPointSelected = 0, gTrackNextPointSelected = 0;
int32_t gInfoType = 128;
float gXResizeDirection = 1, gYResizeDirection = 1, gZResizeDirection = 1;
int16_t gStairToolStyle = 1;
int16_t gRailToolStyle = 1;
int16_t gRoofToolStyle = 0;
uint8_t gTrackInvertedFillet = 0;
uint8_t gDocumentChanged = 0;
static const port::GlobalReset kReset([] {
    gMouseState = 0;
    std::fill(std::begin(gTrackState), std::end(gTrackState), 0.0f);
    gMouseModeLimit = 20.0f;
    gLastEditToolID = 213;
    gFirstDownX = gFirstDownY = gFirstDownZ = gFirstUpX = gFirstUpY = gFirstUpZ = 0;
    gStartMouse = gBeginMouse = gEndMouse = POINT{};
    gBeginKeepTracking = 0;
    gLineOpposingPtSelected = 0;
    gLineOpposingPoint = nullptr;
    gTrackPrevPoint = gTrackNextPoint = nullptr;
    gTrackPrevPointSelected = gTrackNextPointSelected = 0;
    gInfoType = 128;
    gXResizeDirection = gYResizeDirection = gZResizeDirection = 1;
    gStairToolStyle = gRailToolStyle = 1;
    gRoofToolStyle = 0;
    gTrackInvertedFillet = 0;
    gDocumentChanged = 0;
    gSnapLocked = 0;
    gMouseCaptured = 0;
    gClickInfo = ClickInfo{};
    gDataRect = FloatRect{};
    gData3DRect = Float3DRect{};
    gSkipConstraints = 0;
    gPrevTrackModifiers = 0;
    gTrackingObject = 0;
    gResetToWallTool = 0;
    gResetWallTool = 0;
    gFilletChamferUndo = 0;
    gTrackMadeNothing = 0;
    gTrackStepToSheet = 0;
    gEventModifiers = 0;
    gDownX = gDownY = gDownZ = gUpX = gUpY = gUpZ = 0;
    gTrackConstrainAngle = 0;
    gPrevTrackConstrainAngle = kNoTrackValue;
    gTranslateWallSegPt1 = gTranslateWallSegPt2 = FloatPoint{kNoTrackValue, kNoTrackValue};
    gPrevTranslateWallSegPt1 = gPrevTranslateWallSegPt2 = FloatPoint{kNoTrackValue, kNoTrackValue};
    gChangeSnapOK = 0;
    gPerpAtStart = 0;
    gPerpStartPtz = gPerpEndPtz = nullptr;
    gSnapInfo = ClickInfo{};
    gTrackingPoly = 0;
    gLockRectTool = gLockOvalTool = gLockArcTool = 0;
    gCenterRectTool = gCenterOvalTool = gCenterLineTool = 0;
    gClosePolyTool = gCloseSplineTool = 1;
    gPerpFromLoc = FloatPoint{kNoPerpFrom, kNoPerpFrom};
    g3DObjects = 0;
});
namespace {
// Every object deleted asks several times, mostly about no point: only a point walks the list.
bool OwnsPoint(const Objex* o, const Poinz* point) {
    if (!point) return false;
    for (const Poinz* p = o->firstPoint; p; p = p->next)
        if (p == point) return true;
    return false;
}
// A click keeps its hit fields otherwise: the object and both points are dropped together.
void ForgetIn(ClickInfo& click, const Objex* o) {
    if (click.ciObject == o || OwnsPoint(o, click.ciPoint) || OwnsPoint(o, click.ciPoint2))
        click.ciObject = nullptr, click.ciPoint = click.ciPoint2 = nullptr;
}
}  // namespace

void ForgetTrackedPoint(const Poinz* point) {
    if (!point) return;
    for (ClickInfo* click : {&gClickInfo, &gSnapInfo})
        if (click->ciPoint == point || click->ciPoint2 == point)
            click->ciPoint = click->ciPoint2 = nullptr, click->ciPointHit = click->ciSegmentHit = 0;
    if (gLineOpposingPoint == point) gLineOpposingPoint = nullptr;
    if (gTrackPrevPoint == point) gTrackPrevPoint = nullptr;
    if (gTrackNextPoint == point) gTrackNextPoint = nullptr;
    if (gPerpStartPtz == point || gPerpEndPtz == point) gPerpStartPtz = gPerpEndPtz = nullptr;
}

static const ObjectForgetter kForget([](const Objex* o) {
    ForgetIn(gClickInfo, o);
    ForgetIn(gSnapInfo, o);
    if (OwnsPoint(o, gLineOpposingPoint)) gLineOpposingPoint = nullptr;
    if (OwnsPoint(o, gTrackPrevPoint)) gTrackPrevPoint = nullptr;
    if (OwnsPoint(o, gTrackNextPoint)) gTrackNextPoint = nullptr;
    if (OwnsPoint(o, gPerpStartPtz) || OwnsPoint(o, gPerpEndPtz)) gPerpStartPtz = gPerpEndPtz = nullptr;
});
