#pragma once
// Areas of object outlines over their plan positions (H, D), in square feet, or square metres
// in a metric document, whatever the drawing scale; and the winding of an outline.
#include <cstdint>

struct Layer;
struct Objex;

// The polygon through the points, straight segments only; 0 without an object or document.
float ComputeObjectStraightArea(const Objex* object);
// The polygon that follows curved segments; 0 below three vertices.
float ComputeObjectCurvedArea(const Objex* object);
// The layer's objects of the type: walls count exterior walls only, with their straight
// area, as do decks; every other type its curved area.
float ComputeSquareFootage(const Layer* layer, int16_t type);
// 1 when the signed area over (H, D) is 0 or more (clockwise on the plan, D growing down),
// else 0; 0 for no object.
uint8_t IsObjectClockwise(const Objex* object);

// The estimator of the Windows form has no counterpart here.
void AddObjectToSqFtDC(void* dc, Objex* object);
void AddCurvedObjectToSqFtDC(void* dc, Objex* object);
float ComputePixelSqFt(void* dc);
void SetupEstimatorList();
void* CreateAndAttachEstimatorEntry(Objex* object);
void DeleteEstimatorList();
void GetAttachmentInfo(Objex* object);
void GetWidthHeightString(Objex* object, char* text);
void GetWidthString(Objex* object, char* text);
float ComputeObjectSquareFootage(Objex* object);
