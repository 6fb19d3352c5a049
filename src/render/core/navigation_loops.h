#pragma once
// Walking and flying through the design while a button is held in the live view, and the
// cut-away slider's drag. Each is a state machine a driver feeds: begin at the press, the
// latest pointer position and the arrow keys as they come, one step per tick of its timer,
// end at the release. A step moves the camera by the step tables, so a slow frame slows the
// motion and queues nothing; it writes the camera fields into the settings record as they
// change and draws one real-time frame. The end asks for one full-quality display.
#include <cstdint>

#include "files/windows_records.h"
#include "model/types.h"
#include "port/winrecords.h"

class Base2DViewHost;
struct DocState;

// The settings record when the design can be navigated: a document with settings and at
// least three floors (found by their place, not their names); else null.
DocState* NavigableState();

enum class NavigationArrow : uint8_t { Left, Right, Up, Down };

struct HeldArrows {
    bool left = false, right = false, up = false, down = false;
    bool any() const { return left || right || up || down; }
    void set(NavigationArrow arrow, bool held);
};

// One row of the free-navigation table by navigation speed (6 to 10; others share a row).
struct FreeNavigationSteps {
    float walkPixelsPerDegree, walkPixelsPerInch, eyeHeightStep;
    int32_t walkDivisor;
    float flyPixelsPerDegree, flyControlledPixelsPerDegree, flyDistanceStep;
    int32_t flyDivisor;
};
const FreeNavigationSteps& FreeNavigationStepsFor(int16_t speed);

// One row of the controlled walk's table: degrees turned per tick while the pointer is beyond
// the view's side, and the arrow keys' speed growing by the acceleration every tick.
struct ControlledWalkSteps {
    float turnRate, keyBaseSpeed, keyAcceleration;
    int32_t mouseDivisor, keyDivisor;
};
const ControlledWalkSteps& ControlledWalkStepsFor(int16_t speed);

// How far one tick of an arrow key pans the fly-around centre.
float ArrowKeyStepFor(int16_t speed);

// Pans the fly-around centre (`lightOffset`) one step per held key across the fly-around
// heading; when it moved, draws one real-time frame and, with `clamp`, keeps it inside the lot.
// True when it moved.
bool ApplePortCheckArrowKeys(uint8_t left, uint8_t right, uint8_t up, uint8_t down, uint8_t clamp);

// A right press in the live view: the elevation mode's direction turns over and the view goes
// back to perspective.
void LiveViewRightPress(DocState* ds);

// The plan's camera marker over the plan view's kept picture: each change invalidates the old
// and the new 50 x 50 square around the point's plan position.
class PlanMarkerFollower {
public:
    // Remembers the square around the plan point (x, z); `off` (or no view): nothing is drawn.
    void start(Base2DViewHost* plan, bool off, FloatPoint at);
    void follow(FloatPoint at);

private:
    static PlatformRect squareAround(FloatPoint at);

    Base2DViewHost* plan_ = nullptr;
    PlatformRect square_;
};

// Controlled walk: the pointer tilts and, between the view's sides, turns; beyond them it keeps
// turning; the arrow keys walk and strafe faster the longer they are held.
class RealTimeRotateAnimOpenGLGAME {
public:
    // `press` in the live view's coordinates (y down), `viewRight` its right edge. False (nothing
    // done) when the design cannot be navigated.
    bool begin(Base2DViewHost* plan, POINT press, bool elevation, bool commandDown, int32_t viewRight);
    void mouse(POINT at) { mouse_ = at; }
    void key(NavigationArrow arrow, bool down) { held_.set(arrow, down); }
    void tick();
    void end();
    bool active() const { return active_; }

private:
    Base2DViewHost* plan_ = nullptr;
    PlanMarkerFollower marker_;
    HeldArrows held_;
    bool active_ = false, elevation_ = false;
    POINT start_{}, smoothed_{}, mouse_{};
    int32_t right_ = 0;
    float startHeading_ = 0, startPitch_ = 0, accumulator_ = 0;
    FloatPoint position_{};
};

// Free walk, free fly-around and controlled fly-around; a press in a controlled eye-level view
// runs the controlled walk instead.
class RealTimeRotateAnimOpenGL {
public:
    // As the controlled walk's begin; `elevation` for a right press (a Control-click arrives as
    // one), `commandDown` hides the plan's marker for the loop.
    bool begin(Base2DViewHost* plan, POINT press, bool elevation, bool commandDown, int32_t viewRight);
    void mouse(POINT at);
    void key(NavigationArrow arrow, bool down);
    void tick();
    void end();
    bool active() const { return active_ || game_.active(); }

private:
    void step(DocState& ds);

    RealTimeRotateAnimOpenGLGAME game_;
    Base2DViewHost* plan_ = nullptr;
    PlanMarkerFollower marker_;
    HeldArrows held_;
    bool active_ = false, elevation_ = false, fly_ = false, controlled_ = false;
    POINT start_{}, smoothed_{}, mouse_{};
    FloatPoint position_{};
    float heading_ = 0, flyPitch_ = 0, flyHeading_ = 0, distance_ = 0;
};

// The cut-away slider: one interaction from the press to the release, one frame per change.
class RealTimeCutawayOpenGL {
public:
    void begin();
    // After the slider's value became the cut-away position. A change outside a press (keys,
    // a click on the track) is an interaction of its own.
    void change();
    void end();

private:
    bool active_ = false;
};
