#pragma once
// The dispatch tables of the walkers: one row per command ID (or range of IDs) with the
// function that applies it to one object. The rows live with the commands, above the model
// (RegisterCommandRows, commands/command_rows.h), which the program calls at start-up; the
// global reset forgets them. Commands without a row change nothing.
#include <cstdint>
#include <span>

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

// The rows from now on (kept, not copied: they are the caller's constant tables).
void SetCommandRows(std::span<const SelectedCommandRow> selected, std::span<const TopLevelCommandRow> topLevel);
SelectedCommandFn FindSelectedCommand(int32_t command);
TopLevelCommandFn FindTopLevelCommand(int32_t command);
