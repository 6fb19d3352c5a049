#include "model/align_to_grid.h"

#include "model/bounds.h"
#include "model/command_ids.h"
#include "model/command_support.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/numeric.h"
#include "model/walkers.h"
#include "model/zoom_units.h"
#include "model/grid_snap.h"

namespace {


int32_t Rounded(float v) {
    return dvxnum::TruncToInt16(static_cast<double>(v) + 0.5);
}

}  // namespace

void AlignSelectedToGrid(int32_t command) {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    Layer* first = gCurDocument->itsLayers;
    FloatRect box = EmptyFloatRect();
    GetAllLayersBounds(first, 1, &box, 0, 0);
    if (IsEmptyBounds(box)) return;

    float h = box.floatLeft, d = box.floatTop;
    if (command == cmd::kAlignRightTop) h = box.floatRight;
    else if (command == cmd::kAlignRightBottom) h = box.floatRight, d = box.floatBottom;
    else if (command == cmd::kAlignLeftBottom) d = box.floatBottom;

    // The grid snap works in view units (zoomed); the corner is in plan units, so it goes
    // through the zoom and back, which keeps it on the grid the plan draws at every zoom.
    const float viewH = ZoomF(h), viewD = ZoomF(d);
    FloatPoint snapped{viewH, viewD};
    if (!SnapPointToGrid(ds, Rounded(viewH), Rounded(viewD), &snapped)) return;
    TransformRecord move = cmdsupport::Translation(UnzoomF(snapped.floatH - viewH), 0.0f,
                                                   UnzoomF(snapped.floatV - viewD));
    SelectedObjectAllLayers(first, 1, cmd::kMove, &move);
}
