#pragma once
// Walkers that hand one command ID and one parameter to objects: SelectedObject applies a
// command to an object and then to each of its children; TopLevelObject to one top-level
// object only. The layer walkers choose the objects (selected ones, or all) and read each
// object's next link before dispatching, so a command may unlink or delete the object it is
// given. What each command does is a row of the command tables (command_table.cpp).
#include <cstdint>

struct Layer;
struct Objex;

// The one pointer-sized parameter of a command: a record (DocState, TransformRecord) or a
// plain integer, as the command's row reads it.
using CommandParam = void*;
inline CommandParam CommandParamFromInt(intptr_t value) { return reinterpret_cast<CommandParam>(value); }
inline intptr_t CommandParamToInt(CommandParam param) { return reinterpret_cast<intptr_t>(param); }

// What a command did with the object it was given.
enum class CommandFate : uint8_t {
    Kept,     // the object is still there: children are visited next
    Deleted,  // the object was deleted or cut: nothing more is done with it
};

// Group counter of commands 2000 and 2001, and the flag 2001 raises at 26 groups in one
// top-level object (callers clear both before the walk and read them after).
extern int32_t gObjectCount;
extern uint8_t gOverload;

void SelectedObjectAllLayers(Layer* firstLayer, uint8_t selectedOnly, int32_t command, CommandParam param);
void SelectedObjectLayer(Layer* layer, uint8_t selectedOnly, int32_t command, CommandParam param);
// Applies the command to the object and then to each child; false when the command deleted
// the object.
bool SelectedObject(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);

void TopLevelObjectAllLayers(Layer* firstLayer, int32_t command, CommandParam param);
void TopLevelObjectLayer(Layer* layer, int32_t command, CommandParam param);
// Applies the command to the object only; false when the command deleted the object.
bool TopLevelObject(Objex* object, int32_t command, CommandParam param);

// The n-th (from 1) selected top-level object over all layers of the current document.
Objex* GetASelectedObject(int32_t n);

// After a command that leaves a group in place: its bounds again, and a fixed component
// that heads it rebuilt.
void GroupFollowUp(Objex* group);
