#pragma once
// Small builders for model records in tests (current document needed for numbered records).
#include <cstdint>

#include "model/objects.h"

namespace dvxtest {

// An unlinked object of the type with plain style.
Objex* NewObject(int16_t type, int32_t subtype = 0);
// The same, appended to the layer.
Objex* NewObjectOn(Layer* layer, int16_t type, int32_t subtype = 0);
// Appends `count` points at (i * 10, 0, 0).
void AddPoints(Objex* object, int count);
// The i-th point (0-based) or null.
Poinz* PointAt(Objex* object, int index);
int CountObjects(const Objex* head);
int CountLayers(const Layer* head);

}  // namespace dvxtest
