#pragma once
// What each text field of the wall panes edits: its limits, the walls' value (a segment's or the
// wall's), the rebuild, the undo step and the tool default. The tool pane writes the default
// only; the object pane applies the whole row.
#include "ui/core/inspector_edits.h"

// The row of the field named `outlet`; null for none.
const InspectorEditRow* FindWallRow(const char* outlet);

// The rows of the wall object pane's buttons.
const InspectorEditRow& WallAutoFlooringRow();
const InspectorEditRow& WallFoundationRow();
const InspectorEditRow& WallDisplayDimsRow();
const InspectorEditRow& WallDisplayCalloutsRow();
const InspectorEditRow& WallDimensionTagRow();
const InspectorEditRow& WallFlipDimensionsRow();
const InspectorEditRow& WallStyleTableRow();
const InspectorEditRow& WallThicknessStepperRow();

// Walls whose flooring and foundation values mean something.
bool IsExteriorWall(const Objex* wall);
