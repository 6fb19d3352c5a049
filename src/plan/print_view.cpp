#include "plan/print_view.h"

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "plan/plan_frame.h"
#include "model/plan_objects.h"

void QMDDocumentPrintView::drawRect(const PlatformRect& rect) {
    port::DrawingContext& context = port::currentDrawingContext();
    context.save();
    Base2DView::drawRect(rect);
    context.setAntialiasing(false);
    const DocState* ds = CurrentDocState();
    if (!ds || !gCurDocument->itsLayers) {
        context.restore();
        return;
    }
    context.translate(gAffineTranslateX, gAffineTranslateY);
    gPrinting = 1;
    // A page of a large print holds a small part of the design: draw only what meets it.
    const PrintedPageScope page(rect);
    // The paper grid also needs the print-grid byte (stored as stopAtOriginV).
    if (ds->showGrid && ds->stopAtOriginV) drawGrid(false);
    const RECT zero{};
    if (gCurDocument->itsTopoLayer && ds->showTopoLines)
        DrawLayer(nullptr, gCurDocument->itsTopoLayer, &zero, drawflag::kAll, nullptr);
    DrawAllLayers(nullptr, gCurDocument->itsLayers, &zero, drawflag::kAll, nullptr);
    gPrinting = 0;
    context.restore();
}
