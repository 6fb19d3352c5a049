#pragma once
// The two text objects of the plan: standard text (145) laid into its box, and rotated text
// (144), whose frame and bounds every draw refits to the measured text so that hit testing
// and selection see its true extent. The refit is not an edit: no undo step, no edited mark.
struct Objex;

void DrawTextStandardObject(void* dc, const Objex* object);
void DrawTextDynamicObject(void* dc, Objex* object);
