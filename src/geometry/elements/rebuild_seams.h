#pragma once
// The 3D rebuilds of stairs, railings, fences and edging that model and file code ask for
// after an object changed. The builders register their handlers; with none registered every
// call does nothing.
#include <functional>

struct Objex;

void UpdateEdgingObject(Objex* object);  // 24
void UpdateFenceObject(Objex* object);   // 25
void UpdateStairObject(Objex* object);   // 38
void UpdateRailObject(Objex* object);    // 45
// Rebuilds a custom skylight's (160, style 806) symbols from its definition, scaled to its
// record and centred on (centreH, centreD), turned by `angle` degrees less 90.
void CreateCustomSkylightSymbols(Objex* skylight, float centreH, float centreD, float angle);

using ElementRebuildHandler = std::function<void(Objex*)>;

void SetUpdateEdgingObjectHandler(ElementRebuildHandler handler);
void SetUpdateFenceObjectHandler(ElementRebuildHandler handler);
void SetUpdateStairObjectHandler(ElementRebuildHandler handler);
void SetUpdateRailObjectHandler(ElementRebuildHandler handler);
void SetCreateCustomSkylightSymbolsHandler(std::function<void(Objex*, float, float, float)> handler);

// Forgets every handler of this file.
void ResetElementRebuildSeams();
