#include "support/pasted_copies.h"

#include <cmath>

#include "files/copy_paste.h"
#include "model/bounds.h"
#include "model/command_ids.h"
#include "model/command_support.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/scoped_restore.h"
#include "model/selection_ops.h"
#include "model/walkers.h"

namespace dvxtest {

bool PasteCopiesOnAGrid(int copies, float gap) {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc) return false;
    Float3DRect box = EmptyFloat3DRect();
    GetAllLayers3DBounds(doc->itsLayers, 0, &box, 1);
    const float cellH = box.floatRight - box.floatLeft + gap, cellD = box.floatFront - box.floatBack + gap;
    const int columns = int(std::ceil(std::sqrt(double(copies))));
    Layer* const current = doc->itsCurLayer;
    const dvx::Restore<uint8_t> inPlace(gMirroring, 1);  // each paste lies on its original until moved
    for (Layer* floor = doc->itsLayers; floor; floor = floor->next) {
        if (!floor->firstObject) continue;
        doc->itsCurLayer = floor;
        floor->visible = floor->active = 1;
        SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);
        SelectLayer(floor, selmode::kSelect, 0);
        if (!DoCopyObjects()) return false;
        for (int i = 1; i < copies; ++i) {
            DoPasteObjects();
            TransformRecord move = cmdsupport::Translation(float(i % columns) * cellH, 0.0f, float(i / columns) * cellD);
            SelectedObjectLayer(floor, 1, cmd::kMove, &move);
        }
    }
    SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);
    for (Layer* floor = doc->itsLayers; floor; floor = floor->next) floor->visible = floor->active = 1;
    doc->itsCurLayer = current;
    return true;
}

}  // namespace dvxtest
