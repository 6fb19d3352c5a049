#pragma once
// Small builders for model records in tests (current document needed for numbered records).
#include <cstdint>
#include <utility>
#include <vector>

#include "model/objects.h"

namespace dvxtest {

// An unlinked object of the type with plain style.
Objex* NewObject(int16_t type, int32_t subtype = 0);
// The same, appended to the layer.
Objex* NewObjectOn(Layer* layer, int16_t type, int32_t subtype = 0);
// Appends `count` points at (i * 10, 0, 0).
void AddPoints(Objex* object, int count);
// An outline through (h, d) positions on the floor plan (plan bits 2), appended to the layer
// when one is given.
Objex* NewOutlineOn(Layer* layer, int16_t type, const std::vector<std::pair<float, float>>& at,
                    bool closed = true, int16_t rows = 1, int32_t subtype = 0);
// The i-th point (0-based) or null.
Poinz* PointAt(Objex* object, int index);
int CountObjects(const Objex* head);
int CountLayers(const Layer* head);

}  // namespace dvxtest
