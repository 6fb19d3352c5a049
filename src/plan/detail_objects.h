#pragma once
// Detail shapes (type 29, subtypes 1-9): the outline laid into one path, then stroked with
// the object's pen, or, closed and patterned, kept by the object (for hit testing) and filled
// by the plan view. During transform feedback the outline goes to the active transform element.
#include <cstdint>

namespace port { class Path; }
struct Objex;
struct Poinz;
struct TransformRecord;

// Points laid into the outline being built; reset after each object.
extern int32_t gPolyPtCount;
// 1 while an outline is collected for a pattern fill.
extern uint8_t gPolyHappening;

void ApplePortDrawDetailObject(Objex* object, int32_t flags, const TransformRecord* transform);
// One segment, straight or cubic, into `path` (or the active transform element). The two
// words are not read.
void ApplePortDrawDetailObjectSegment(const Objex* object, const Poinz* start, const Poinz* end,
                                      int32_t flags, const TransformRecord* transform, int32_t,
                                      int32_t, port::Path* path);
