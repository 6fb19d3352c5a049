#pragma once
// Freehand roof panels (57) and their slope-direction arrows (58).
struct Objex;

// The panel's first child of type 58, or null (also for a null panel).
Objex* FindSlopeDirectionArrowObject(Objex* panel);
