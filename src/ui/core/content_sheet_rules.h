#pragma once
// What the content library's sheets decide without their controls: when the find-plant
// sheet may search, the size a 3D print asks for, and the plant fill's settings and planting.
#include <cstdint>

struct Objex;

// The find-plant sheet's controls, by the one that changed last.
enum class FindPlantControl { StockBox, CategoryCells, UserBox };
// Whether its Search button is enabled after `changed`, with the two boxes and the number of
// category cells that are on.
bool FindPlantSearchEnabled(FindPlantControl changed, bool stock, bool user, int checkedCells);

// The 3D print sheet's size choices (its radio tags).
enum LV3DPrintSizeTag { kPrintFitPage = 0, kPrintCustomSize = 1, kPrintViewSize = 2 };
struct LV3DPrintSize {
    int32_t width = 0, height = 0;
};
// The size handed to the live view: the view's own size; the printable area squared on its
// smaller side; or the two fields, each at least 16.
LV3DPrintSize LV3DPrintSizeFor(int sizeTag, float printableWidth, float printableHeight, LV3DPrintSize view,
                               LV3DPrintSize fields);

// The plant fill sheet's area box for the object under the last context click: an open
// fillable object turns it off and disables it; anything else leaves it enabled with the
// last setting.
struct PlantFillAreaBox {
    bool enabled = true, on = true;
};
PlantFillAreaBox PlantFillAreaBoxFor(const Objex* contextObject, bool fillArea);

// The spacing (inches) held to 1 to 3000; unreadable is 1.
float ClampPlantSpacing(float inches);
// OK of the plant fill sheet: with a current document and floor, the settings become the
// plant filling globals. True when there is something to plant (area or perimeter on).
bool ApplyPlantFillSettings(bool fillArea, bool fillPerimeter, float spacingInches);
// Plants each selected fillable top-level object of the current floor, in list order, then
// stores one undo step "Fill Object with Plants" and redraws; the other floors are left
// unselected. Nothing without a floor.
void FillSelectedObjectsWithPlants();
