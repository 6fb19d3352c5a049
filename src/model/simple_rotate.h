#pragma once
// Turning a whole object in the plan, whatever the view and the selection; texture mapping
// and object sizing use it with their own transform records.
struct Objex;
struct TransformRecord;

// Turns every point's H and D by the record's angle (float 6) about (float 7, float 9), and
// each in- and out-tangent whose H and D are not both 0 about (0, 0); then recomputes
// `bounds` and `bounds3D` only (no texture mapping, no rebuild flag).
void SimpleRotateObject(Objex* object, const TransformRecord* record);
