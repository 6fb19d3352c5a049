#pragma once
// The dispatch tables of the walkers: one row per command ID (or range of IDs) with the
// function that applies it to one object. Commands without a row change nothing.
#include <cstdint>

#include "model/walkers.h"

// Applies a command to one object as SelectedObject visits it (children follow).
using SelectedCommandFn = CommandFate (*)(Objex* object, uint8_t selectedOnly, int32_t command,
                                          CommandParam param);
// Applies a command to one top-level object.
using TopLevelCommandFn = CommandFate (*)(Objex* object, int32_t command, CommandParam param);

struct SelectedCommandRow {
    int32_t first;
    int32_t last;
    SelectedCommandFn apply;
};

struct TopLevelCommandRow {
    int32_t first;
    int32_t last;
    TopLevelCommandFn apply;
};

SelectedCommandFn FindSelectedCommand(int32_t command);
TopLevelCommandFn FindTopLevelCommand(int32_t command);
