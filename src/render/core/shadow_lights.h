#pragma once
// The GL-free half of the shadow render: where each light looks from, how many progress steps
// a render takes, how a light falls off across its view, and the per-pixel work on the
// render's buffers (eye positions, projection into a light view, gap filling, the composite).
// The GL half (render/shadow_render, render/light_views) draws the depth images and calls
// these over what it read back.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct DocState;
struct Layer;
struct Objex;

// --- the sun's orthographic window, read by the light camera ---
// The window of the sun view in scene units, and the centring offsets that move the shaded
// area under it; `gVerticalSunOffset` lifts the window for a low sun.
extern float gOrthoSizeLeft, gOrthoSizeRight, gOrthoSizeBottom, gOrthoSizeTop;
extern float gXSunOffset, gZSunOffset, gVerticalSunOffset;
// Set while the sun's depth grid is filled: each sun view stops after its depth image.
extern uint8_t gFillingBucketBuffer;
// The sun views' viewport while it is smaller than the live view's (0 x 0: the view's), so a
// fine grid stays within its memory.
extern int32_t gSunViewWidth, gSunViewHeight;

// --- light-view switches ---
// The ambient views of a fixture in progress: down, up, or both (with `gFadeDown` while the
// view looks up). Set only while RenderAmbient runs.
extern uint8_t gAmbientLightDown, gAmbientLightUp, gAmbientLightUpDown, gFadeDown;
// The downward view of a type-152 point light is being taken.
extern uint8_t gPointLightDownShot;
// Cleared while a light view only sets up its matrices (nothing drawn).
extern uint8_t gRenderForBuffer;
// The eye-position cache must be refilled: set for every new camera.
extern uint8_t gFillUnProjectBuffer;

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

// One view of a light: its position in scene units (y up), pitch (90 looks down) and heading
// in degrees, field of view in degrees.
struct LightView {
    float y = 0, x = 0, z = 0;
    float pitch = 0, heading = 0;
    float fov = 0;
    bool downShot = false;  // the downward view of a type-152 light
};

// A switched-on light and the views the shadow render takes of it.
struct ShadowLight {
    int16_t type = 0;       // the fixture's type code, 83 for a flood light
    float intensity = 0;    // (255 - dimmer) / 255
    int32_t falloff = 0;    // the rounded falloff exponent
    std::vector<LightView> views;
    // The fixture's ambient light: from (ax, ay, az), up and/or down, at `ambientIntensity`.
    bool ambientUp = false, ambientDown = false;
    float ambientIntensity = 0;
    float ay = 0, ax = 0, az = 0;
};

// The lights of a top-level object (a wall's switched-on flood lights, a group's switched-on
// fixture), empty for anything else. Hidden electrical symbols are the caller's test.
std::vector<ShadowLight> ShadowLightsOf(const Objex& object, const DocState& ds);
// A wall's child that is a switched-on flood light.
bool IsSwitchedOnFloodLight(const Objex& child);
// The two views of a flood light on its wall (none when its record lacks the wall points).
std::optional<ShadowLight> FloodLightOf(const Objex& wall, const Objex& light, const DocState& ds);
// Progress steps the lights of one top-level object count (`passes` 0 without anti-aliasing).
int32_t LightStepsOf(const Objex& object, const DocState& ds, int32_t passes);
// The light steps of the visible layers from `first` (0 with electrical symbols hidden).
int32_t CountLightSteps(const Layer* first, const DocState& ds, int32_t passes);
// The whole render's progress total: the sun part plus the light and frame steps.
int32_t ShadowProgressTotal(int32_t sunPart, int32_t lightSteps, int32_t passes, bool sceneEmpty);

// The point at `length` from the origin along heading and pitch (degrees), y up.
void Get3DPointFromLengthAndAngles(float length, float heading, float pitch, Vec3* out);
// How far the light is moved for its depth image, by light type, from the camera's place.
Vec3 GetLightOffset(float x, float z, float pitch, float heading, int16_t type);
// The falloff t (0 full light .. 1) of view pixel (px, py), rows counted from the top, in the
// view rectangle; -1 outside or for an unknown mode. Modes: 1 cone, 2 ambient down,
// 3 ambient up, 4 up and down looking up, 5 up and down looking down.
float GetPixelDistance(float px, float py, float left, float top, float right, float bottom, int32_t n, int32_t mode);
// The falloff mode of the light view being taken, from the ambient switches.
int32_t CurrentFalloffMode();

// A camera's or light's matrices as GL hands them back (column-major) and its viewport.
struct ViewMatrices {
    double modelview[16] = {};
    double projection[16] = {};
    int32_t viewport[4] = {};
};

// A view from the three globals it is saved in.
ViewMatrices ViewOf(const double* modelview, const double* projection, const int32_t* viewport);

// Window coordinates of world points in a view: gluProject with the product formed once.
class ViewProjector {
public:
    explicit ViewProjector(const ViewMatrices& m);
    // False when the point lies on the eye plane.
    bool project(const float* world, double* wx, double* wy, double* wz) const;

private:
    double m_[16];
    int32_t vp_[4];
};

// Fills `eyes` (3 floats a pixel, x + y·w from the bottom left) with the world point of every
// camera pixel whose depth lies strictly between 0 and 1, taken at the pixel's centre, through
// the inverse of the camera's matrices taken once; other pixels are left as they are. False
// when the matrices are singular.
bool FillEyePositions(const ViewMatrices& camera, std::span<const float> depth, int w, int h, std::span<float> eyes);

// Per channel dark + (light - dark)·map (a channel where light is below dark keeps dark),
// written into `dark`.
void CompositeShadowImage(std::span<uint8_t> dark, std::span<const uint8_t> light, std::span<const float> map);
// Every value v > 0 of `add` (scaled by `scale`) is folded in as map + (1 - map)·v and cleared.
void FoldIntoLightMap(std::span<float> map, std::span<float> add, float scale = 1.0f);
// Quick quality's untested pixels (odd x + y) take the mean of their in-image neighbours'
// contributions; with `fold` a mean above 0 is folded into the map. Clears `contribution`.
void FillUntestedPixels(std::span<float> map, std::span<float> contribution, int w, int h, bool fold);
// Whether a pixel of the plant-colour image is a plant (no channel at 255).
inline bool IsPlantPixel(const uint8_t* rgb) { return rgb[0] != 255 && rgb[1] != 255 && rgb[2] != 255; }
