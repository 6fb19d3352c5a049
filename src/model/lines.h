#pragma once
// Plane geometry of plan outlines: lengths and angles of lines and of segments between object
// points (straight or Hermite curves), points at a length along them, slopes, intercepts,
// intersections and perpendicular feet. Plan angles are radians in [0, 2 pi) from +H,
// counter-clockwise as seen on screen (D grows downwards): a point at length L and angle a
// lies at H + L cos a, D - L sin a. Everything works in single precision.
#include <cstdint>

#include "model/types.h"

struct Objex;
struct Poinz;

// The slope of a vertical line, and both coordinates of the crossing of parallel lines.
inline constexpr float kVerticalSlope = 1234567.0f;
inline constexpr float kNoIntersection = 32000.0f;

// What GetPointOnLineFromLength had left over when a curved segment ran out.
extern float gRemainingLength;

float GetLineLength(float x1, float y1, float x2, float y2);
float Get3DLineLength(float x1, float y1, float z1, float x2, float y2, float z2);
// Stores the distance and returns the plan angle from the first point to the second. A null
// out-argument returns 0; a zero length stores 0 and returns 0.
float GetLineLengthAndAngle(float x1, float y1, float x2, float y2, float* length);
// The offset of a point at the angle and length from the origin; nothing unless both given.
void GetPointFromLengthAndAngle(float angle, float length, float* x, float* y);

// Plan length of the segment from P to Q, sampled at the document's curve resolution when
// curved. A resolution below 1 counts as 1.
float GetSegmentLength(const Objex* object, const Poinz* p, const Poinz* q);
// Plan length of a line-like object's outline (walls, property lines, paths, edging, fences,
// fills, stairs, railings) with one row; 0 for every other object.
float GetObjectLength(const Objex* object);
// Writes the point (H into floatH, D into floatV) at the path length from P towards Q and
// returns 1 when it lies on the segment. A straight segment always writes the point (returns
// 0 past its end); a curved one that runs out leaves the point alone, stores what was left
// in gRemainingLength and returns 0.
int16_t GetPointOnLineFromLength(const Poinz* p, const Poinz* q, FloatPoint* point, float length);

// The platform drawing angle: whole degrees clockwise from straight up (0 rad gives 90).
void ConvertPiRadiansToQDAngle(double radians, uint16_t* angle);

// Slope (y2 - y1) / (x2 - x1); kVerticalSlope when x2 - x1 is exactly 0.
float FGetSlope(float x1, float y1, float x2, float y2);
// The same on screen coordinates: vertical whenever x2 - x1 rounds to 0 (-1.5 < dx < 0.5).
float GetSlope(float x1, float y1, float x2, float y2);
float GetYIntercept(float slope, float y, float x);
// Crossing of the line through points 1, 2 with the line through points 3, 4; parallel lines
// give (kNoIntersection, kNoIntersection). Nothing when an out-argument is null.
void FGetIntersection(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                      float* x, float* y);
// Screen form: GetSlope's vertical test, and slopes within 0.001 count as parallel.
void GetIntersection(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                     float* x, float* y);
// Foot of the perpendicular from (px, py) onto the line through the first two points.
void FGetPerpIntersection(float x1, float y1, float x2, float y2, float px, float py, float* x, float* y);
void GetPerpIntersection(float x1, float y1, float x2, float y2, float px, float py, float* x, float* y);
