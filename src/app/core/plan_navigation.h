#pragma once
// The drags the plan view runs while the button is down: turning and moving the live view's
// camera by its marker, and the zoom tool. Each is fed the view's events: begin at the press,
// move with every later pointer position, end at the release. The live view draws one
// real-time frame per step (unless background rendering is on) and its full-quality frame
// after the release.
#include <cstdint>

#include "port/winrecords.h"

class Base2DViewHost;

// The marker's heading triangle: the eye-level heading follows the pointer round the camera.
class RealTimeTrackAngleD3D {
public:
    // False (nothing done) without a document, its settings, or the "First Floor" and "Third
    // Floor" layers. Unless background rendering is on, the camera turns to eye level.
    bool begin(Base2DViewHost* view);
    // The pointer in plan view coordinates.
    void move(POINT at);
    void end();

private:
    Base2DViewHost* view_ = nullptr;
    bool active_ = false;
    float camera_[2] = {};  // the camera in plan view coordinates
    POINT last_{-32768, -32768};
};

// The marker's square: the camera (flying: the point flown around) follows the pointer's
// evaluated plan point.
class RealTimeTrackPositionD3D {
public:
    // As the turning drag, and also false for a document without layers.
    bool begin(Base2DViewHost* view);
    void move(POINT at);
    void end();

private:
    Base2DViewHost* view_ = nullptr;
    bool active_ = false;
    POINT last_{-32768, -32768};
};

// The zoom tool (203): the clicked plan point is centred, then every pixel the pointer goes up
// adds 1/150 to the zoom, within the lot's minimum and 3.0, the point centred again.
class RealTimeZoom {
public:
    // `press` in plan view coordinates, `screenY` the pointer's height on the screen (pixels,
    // growing downward). False without settings or a view.
    bool begin(Base2DViewHost* view, POINT press, int32_t screenY);
    void move(int32_t screenY);
    void end() { view_ = nullptr; }

private:
    void centre() const;

    Base2DViewHost* view_ = nullptr;
    float clickH_ = 0, clickV_ = 0;  // unzoomed
    int32_t lastY_ = 0;
};
