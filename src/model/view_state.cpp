#include "model/view_state.h"

#include "model/document_model.h"
#include "port/seam.h"

float gXViewAngle = 90;
float gYViewAngle = 0;
uint8_t gPerspective = 0;
float gViewFactor = 1.0f;
static const port::GlobalReset kReset([] {
    gXViewAngle = 90;
    gYViewAngle = 0;
    gPerspective = 0;
    gViewFactor = 1.0f;
});

int32_t GetCurrentView() {
    if (!CurrentDocState()) return 0;
    const int x = static_cast<int>(gXViewAngle + 0.5f);
    const int y = static_cast<int>(gYViewAngle + 0.5f);
    int32_t view = 0;
    if (x == 90 && y == 0) {
        view = kViewTop;
    } else if (x == 0) {
        if (y == 270) view = kViewLeft;
        else if (y == 90) view = kViewRight;
        else if (y == 0) view = kViewFront;
        else if (y == 180) view = kViewBack;
    }
    if (view != 0 && !gPerspective) return view;
    if (gViewFactor == 1.0f && gPerspective) return kViewPerspectiveFlat;
    if (gViewFactor == 6.0f) return gPerspective ? kViewPerspective : kViewIsometric;
    return gPerspective ? 0 : kViewIsometric;
}
