#include "model/plan_objects.h"

#include <cmath>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/numeric.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/zoom_units.h"
#include "port/seam.h"

uint8_t gPrinting = 0;
float gHPrintScale = 1.0f;
float gVPrintScale = 1.0f;
float gAffineTranslateX = 0.0f;
float gAffineTranslateY = 0.0f;
uint8_t gDynamicDrawing = 0;
uint8_t gTransformationDrawing = 0;
uint8_t gRealTimeDraw = 0;
uint8_t gSelectionState = 0;

static const port::GlobalReset kReset([] {
    gDynamicDrawing = 0;
    gTransformationDrawing = 0;
    gRealTimeDraw = 0;
    gSelectionState = 0;
    gPrinting = 0;
    gHPrintScale = 1.0f;
    gVPrintScale = 1.0f;
    gAffineTranslateX = gAffineTranslateY = 0.0f;
});

int16_t GetLineWeight(const Objex* object, uint8_t zoom) {
    if (!object) return 1;
    float width = object->penWidth;
    if (std::isnan(width)) return 0;
    if (width > 0.0f) {
        if (zoom) width = ZoomF(width);
        if (gPrinting) width *= gHPrintScale;
        const int16_t weight = dvxnum::TruncToInt16(width + 0.5);
        return weight > 0 ? weight : 1;
    }
    if (width >= -0.1f) return 0;
    return 1;
}

void GetPenOffset(int16_t weight, int16_t* dx, int16_t* dy) {
    if (weight <= 1) return;
    const int16_t offset = static_cast<int16_t>(-(weight / 2));
    if (dx) *dx = offset;
    if (dy) *dy = offset;
}

bool IsObjectOnCurrentPlan(const Objex* object, int32_t planMask) {
    if (!object) return false;
    // Floor, electrical, plumbing and HVAC plans.
    constexpr int32_t kFloorPlans = 0x2 | 0x4 | 0x8 | 0x20;
    const bool shares = (object->planBits & planMask) != 0;
    if (object->type == objtype::kWall && object->subtype == objsubtype::kExteriorWall) {
        if ((planMask & 0x1) && (object->planBits & 0x1)) return true;
        if (planMask & kFloorPlans) return true;
        return shares;
    }
    if (object->type == objtype::kWall || object->type == objtype::kDoor ||
        object->type == objtype::kWindow) {
        if (planMask & kFloorPlans) return true;
        return shares;
    }
    return shares;
}

namespace {
constexpr int32_t kLandscapeOnly = 128;
constexpr int kFloorPlan = 1;
}  // namespace

void GetObjectPlanColor(const Objex* object, RGBColor* color) {
    if (!object || !color || !gCurDocument) return;
    *color = {0, 16448, 34952};
    const DocState* ds = gCurDocument->itsDocState;
    if (!ds) return;
    const int32_t bits = object->planBits;
    if (object->type == objtype::kWall && bits != kLandscapeOnly) {
        *color = ds->planColors[kFloorPlan];
        return;
    }
    for (int plan = 0; plan < 9; ++plan)
        if (bits == (1 << plan)) {
            *color = ds->planColors[plan];
            return;
        }
    *color = ds->penColor;
}
