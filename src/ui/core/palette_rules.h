#pragma once
// What choosing a tool on the palettes does to the rest of the program.
#include <cstdint>

#include "port/text_field.h"

// Content category a plan tool opens in the content palette and locks there (custom doors,
// custom windows and skylights, accessories); -1 leaves the user free to switch.
int16_t ContentCategoryForPlanTool(int16_t tool);
// Makes the content palette follow a newly chosen plan tool.
void FollowPlanToolInContentPalette(int16_t tool);
// After a plan tool was chosen: crosshair cursor, the tool's inspector pane and, with
// `select`, nothing selected.
void AfterPlanToolChosen(bool select);
// After an edit tool was chosen (or clicked again): the plan cursor and, with `select`, its
// selection; redraw.
void AfterEditToolChosen(int16_t tool, bool select);
// A double click on an edit tool opens its sheet (move, rotate, zoom).
void OpenEditToolSheet(int16_t tool);
// Stores the typed snap offset and writes the field back in the document's form; where what a
// palette reaches does not act (`acts` false: a sheet holds the design), the field shows the
// stored offset again.
void StoreSnapOffset(port::TextField* field, bool acts);
// Shows the document's snap offset in the field in its units (nothing without a document).
void ShowSnapOffset(port::TextField* field);
