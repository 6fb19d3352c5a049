#pragma once
// Keeping object and point IDs unique: the checks the design file reader makes for every
// object and point it loads, and the repair of the counters after a plug-in tool's objects
// came back.
#include <cstdint>
#include <functional>

struct DocState;
struct Objex;

// Every object of the current design (floors and topography) with all its descendants.
void ForEachDesignObject(const std::function<void(const Objex*)>& visit);

// Raises the current document's next object and point IDs above every ID in the design;
// never lowers them.
void UpdateAllIDCounters();
// Raises the settings' counters above the IDs of one object tree (not past their values + 1).
void UpdateObjectIDCounters(const Objex* object, DocState* ds);
// The stored ID when it is not 0, no object uses it and it is below the next object ID;
// else the next object ID, which is counted up.
uint32_t ValidateObjectID(uint32_t id);
uint32_t ValidatePointID(uint32_t id);
// Whether an object (a point) of the tree has the ID.
bool ValidateObjectIDWithObject(const Objex* object, const DocState* ds, uint32_t id);
bool ValidatePointIDWithObject(const Objex* object, const DocState* ds, uint32_t id);
