#pragma once
// Keeping object and point IDs unique when a plug-in tool hands objects back.
#include <cstdint>

// Raises the current document's next object and point IDs above every ID in the design;
// never lowers them.
void UpdateAllIDCounters();
// The stored ID when no object uses it and it is below the next object ID; else a fresh one.
uint32_t ValidateObjectID(uint32_t id);
uint32_t ValidatePointID(uint32_t id);
