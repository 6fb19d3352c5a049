#pragma once
// The tool and gesture state the tracking engine and the palettes keep, which the model's
// selection rules read, and the state of the gesture in progress that the plan view's mouse
// road shares with the engine.
#include <cstdint>

#include "model/click_info.h"
#include "model/tool_state.h"
#include "model/types.h"

// The snap mode stays for more than one gesture (double-click on the snap palette).
extern uint8_t gSnapLocked;

// Set by the plan view for the length of a press; a tracker clears it to say that its gesture
// needs no drag loop.
extern uint8_t gMouseCaptured;
// The click being tracked, copied in by the plan view before the gesture. Its object and
// points are forgotten when the object is deleted.
extern ClickInfo gClickInfo;
// 2D and 3D bounds of the selection when the gesture began.
extern FloatRect gDataRect;
extern Float3DRect gData3DRect;
// Skip the angle constraints for the rest of the gesture (cleared before each one).
extern uint8_t gSkipConstraints;
// Modifiers as they were at the previous event of the gesture (the current ones: gTrackModifiers).
extern int16_t gPrevTrackModifiers;
// Set from the first drag of a gesture on (cleared at the press and after the gesture).
extern uint8_t gTrackingObject;
// A wall tool the engine turned into the move tool for one gesture, and the tool to return to.
extern uint8_t gResetToWallTool;
extern int16_t gResetWallTool;
// The fillet and chamfer tools changed the design during the gesture.
extern uint8_t gFilletChamferUndo;
// The tracker found it had nothing to make: the gesture stores no undo step.
extern uint8_t gTrackMadeNothing;
// The tracker opened a sheet that stores the gesture's step as it closes.
extern uint8_t gTrackStepToSheet;
// Modifier flags of the event being handled (the masks below), as the platform reported them.
extern uint32_t gEventModifiers;

// --- the gesture's points and constraints ---

// "None" for the dragged segment and the constraint angle of the previous event.
inline constexpr float kNoTrackValue = -999999.0f;
// Plan points (H, V, D as X, Y, Z) of the press and of the release.
extern float gDownX, gDownY, gDownZ;
extern float gUpX, gUpY, gUpZ;
// The angle (radians) the last angle constraint chose, and its value at the previous event.
extern float gTrackConstrainAngle;
extern float gPrevTrackConstrainAngle;
// Where the dragged segment's ends lie now (H, D in floatH, floatV), and at the previous event.
extern FloatPoint gTranslateWallSegPt1, gTranslateWallSegPt2;
extern FloatPoint gPrevTranslateWallSegPt1, gPrevTranslateWallSegPt2;
// The keyboard may change the snap mode now.
extern uint8_t gChangeSnapOK;
// The segment a perpendicular snap found in this gesture (forgotten with its object), and
// whether it was found at the press.
extern uint8_t gPerpAtStart;
extern Poinz* gPerpStartPtz;
extern Poinz* gPerpEndPtz;
// The second object under the point of an intersection snap.
extern ClickInfo gSnapInfo;
// Set while the polyline tracker draws a polyline.
extern uint8_t gTrackingPoly;
// Shape locks of the detail tools' draw methods: Shift then draws freely.
extern uint8_t gLockRectTool, gLockOvalTool, gLockArcTool;
// Draw methods of the detail tools: the drag starts at the shape's centre (rectangle, oval,
// line); the polygon and curve tools close their outline.
extern uint8_t gCenterRectTool, gCenterOvalTool, gCenterLineTool;
extern uint8_t gClosePolyTool, gCloseSplineTool;
// Where the line being drawn starts (H, D), for the perpendicular snap; 32000, 32000 when no
// line is being drawn.
extern FloatPoint gPerpFromLoc;
inline constexpr float kNoPerpFrom = 32000.0f;
// Cleared by the outline tools for the length of their gesture, put back on every way out.
extern uint8_t g3DObjects;

// --- the rest of the gesture's state ---

// Stage of the tracker call in progress: 1 press, 2 drag, 3 release.
extern int16_t gMouseState;
// Shared with the trackers: [0..2] the press's plan point, [3..5] the current one, [6], [7]
// the clicked object's centre (H, D), [9] the reference length (centre to press), [10] the
// centre to the current point.
extern float gTrackState[12];
// Below this many view points between press and release a gesture is a click.
extern float gMouseModeLimit;
// The highest ID of the edit tools (200 and up).
extern int32_t gLastEditToolID;
// Press and release of the last finished gesture.
extern float gFirstDownX, gFirstDownY, gFirstDownZ;
extern float gFirstUpX, gFirstUpY, gFirstUpZ;
// View points of the press (both) and the one the release is evaluated at.
extern POINT gStartMouse, gBeginMouse, gEndMouse;
// Set at the press, cleared at the first drag.
extern uint8_t gBeginKeepTracking;
// Reset at every press: the resize tool's opposing point and directions, the readout kind.
extern uint8_t gLineOpposingPtSelected;
extern Poinz* gLineOpposingPoint;
// The neighbours of the point the move tool drags, and whether each was selected before the
// press took the selection from them (they are selected again at the release).
extern Poinz* gTrackPrevPoint;
extern Poinz* gTrackNextPoint;
extern uint8_t gTrackPrevPointSelected, gTrackNextPointSelected;
extern int32_t gInfoType;
extern float gXResizeDirection, gYResizeDirection, gZResizeDirection;
// Styles the dispatch writes before calling the stair, rail, roof and fillet trackers.
extern int16_t gStairToolStyle;
extern int16_t gRailToolStyle;
extern int16_t gRoofToolStyle;
extern uint8_t gTrackInvertedFillet;
// Raised by every tracker call of a gesture; whoever saves the design lowers it.
extern uint8_t gDocumentChanged;

// Drops a point taken out of its object from every tracking global that names it (the click,
// the snap's second hit, the perpendicular segment, the resize tool's opposing point); the
// object stays. Compares addresses only, so it may follow the point's freeing.
void ForgetTrackedPoint(const Poinz* point);

// Modifier masks of an event's flags.
namespace evmod {
inline constexpr uint32_t kShift = 0x20000;
inline constexpr uint32_t kControl = 0x40000;
inline constexpr uint32_t kOption = 0x80000;
inline constexpr uint32_t kCommand = 0x100000;
}  // namespace evmod

