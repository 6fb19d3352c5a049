#pragma once
// The sheets the command layer opens, each on the window it is given (the document window,
// opaque here). Until the sheets register their factories nothing opens.
#include <functional>

#include "port/seam.h"

struct CommandWindow;
struct Layer;
struct Objex;
struct Poinz;

#define DVX_SHEET_SEAM(Name) DVX_SEAM(Name, "ui", port::SeamKind::UserInterface, void(CommandWindow* parent))

DVX_SHEET_SEAM(NewMoveObjectsPanelForParent)
DVX_SHEET_SEAM(NewMovePlanPanelForParent)
DVX_SHEET_SEAM(NewRotateObjectsPanelForParent)
DVX_SHEET_SEAM(NewRotatePlanPanelForParent)
// Reads gDLOGElevation and gDLOGTopoFloat (ui/core/sheet_values.h).
DVX_SHEET_SEAM(NewObjectElevationSheetForParent)
DVX_SHEET_SEAM(NewPlanZoomSheetForParent)
DVX_SHEET_SEAM(NewGridPropertiesSheetForParent)
DVX_SHEET_SEAM(NewDimensionPropertiesSheetForParent)
DVX_SHEET_SEAM(NewWorkingElevationSheetForParent)
DVX_SHEET_SEAM(NewPlanScaleSheetForParent)
DVX_SHEET_SEAM(NewMeasurementUnitsSheetForParent)
DVX_SHEET_SEAM(NewCompassSheetForParent)
DVX_SHEET_SEAM(NewPlantingAgeSheetForParent)
DVX_SHEET_SEAM(NewPlantGrowthProjSheetForParent)
DVX_SHEET_SEAM(NewTraceImageScaleSheetForParent)
DVX_SHEET_SEAM(NewLotSizeSheetForParent)
// Fills the context object with the content palette's selected plant.
DVX_SHEET_SEAM(NewPlantFillSheetForParent)
DVX_SHEET_SEAM(NewCeilingBuilderSheetForParent)
// Smooths the selected objects at the tension chosen.
DVX_SHEET_SEAM(NewCurveTensionSheetForParent)
// The content palette's finders: plants and objects by name, plants by growing conditions
// (one sheet kept between openings), and the hardiness zone maps.
DVX_SHEET_SEAM(NewFindPlantByNameSheetForParent)
DVX_SHEET_SEAM(NewFindObjectByNameSheetForParent)
DVX_SHEET_SEAM(SharedPlantFinderSheetForParent)
DVX_SHEET_SEAM(NewPlantZoneSheetForParent)

#undef DVX_SHEET_SEAM

// The ceiling height of one floor.
DVX_SEAM(NewCeilingHeightSheetForParent, "ui", port::SeamKind::UserInterface,
         void(CommandWindow* parent, Layer* targetLayer))
// The text of a text object.
DVX_SEAM(NewTextEntrySheetForParent, "ui", port::SeamKind::UserInterface, void(CommandWindow* parent, Objex* object))
// The length and angle of the segment start -> end of a wall or line being drawn: the initial
// length and the offset the wall's dimension method adds to the centre line (plan units),
// the angle in radians. Nothing opens without the object or either point.
DVX_SEAM_GUARDED(NewKeyEntrySheetForParent, "ui", port::SeamKind::UserInterface, port::NoNullPointer, nullptr,
                 void(CommandWindow* parent, Objex* object, Poinz* start, Poinz* end, float lengthOffset,
                      float initialLength, float angle))
// The plant details window (not a sheet).
DVX_SEAM(NewPlantDetailsWindow, "ui", port::SeamKind::UserInterface, void())

// The live view's walk-through elevation and fly-around altitude sheets, on the live-view
// panel's window.
DVX_SEAM(NewWalkElevationSheetForParent, "ui", port::SeamKind::UserInterface, void(CommandWindow* parent))
DVX_SEAM(NewFlyAltitudeSheetForParent, "ui", port::SeamKind::UserInterface, void(CommandWindow* parent))
// The live view's print sheet; `print` renders and prints at the quality tag (0 the current
// image) and the size in pixels chosen.
DVX_SEAM(NewLV3DPrintSheetForParent, "ui", port::SeamKind::UserInterface,
         void(CommandWindow* parent, std::function<void(int quality, int width, int height)> print))
