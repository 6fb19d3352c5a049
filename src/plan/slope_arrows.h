#pragma once
// Slope arrows of roofs, lots and foundations, and the elevation labels of the points of
// topography lines, roofs and lots. Lines lie at elevation 0; texts turn with the arrow.
struct Objex;
struct Poinz;

void DrawRoofSlopeDirectionArrow(void* dc, const Objex* object);
// The same between two given plan positions (h, d), tail to head; the object gives the pitch.
void DrawCannedRoofSlopeArrow(void* dc, const Objex* object, const float* tail, const float* head);
void DrawTopoSlopeDirectionArrow(void* dc, const Objex* object);
void DrawTopoMultiSlopeDirectionArrow(void* dc, const Objex* object);
void DrawFoundationSlope(void* dc, const Objex* object);

void DrawTopoLineElevation(void* dc, const Objex* object, const Poinz* point);
void DrawRoofPointElevation(void* dc, const Objex* object, const Poinz* point);
void DrawCannedRoofPointElevation(void* dc, const Objex* object, const Poinz* point);
// A rubber-band label of the engine, not drawn at once.
void DrawTopoSlopeElevation(void* dc, const Objex* object, const Poinz* point);
