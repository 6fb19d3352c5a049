#include "support/pasted_copies.h"

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

bool PasteDoubled(int times, float gap) {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc) return false;
    Layer* const current = doc->itsCurLayer;
    const dvx::Restore<uint8_t> inPlace(gMirroring, 1);  // each paste lies on its original until moved
    for (int i = 0; i < times; ++i) {
        Float3DRect box = EmptyFloat3DRect();
        GetAllLayers3DBounds(doc->itsLayers, 0, &box, 1);
        TransformRecord move = i % 2 == 0 ? cmdsupport::Translation(box.floatRight - box.floatLeft + gap, 0, 0)
                                          : cmdsupport::Translation(0, 0, box.floatFront - box.floatBack + gap);
        for (Layer* floor = doc->itsLayers; floor; floor = floor->next) {
            if (!floor->firstObject) continue;
            doc->itsCurLayer = floor;
            floor->visible = floor->active = 1;
            SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);
            SelectLayer(floor, selmode::kSelect, 0);
            if (!DoCopyObjects()) return false;
            DoPasteObjects();
            SelectedObjectLayer(floor, 1, cmd::kMove, &move);
        }
    }
    SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);
    for (Layer* floor = doc->itsLayers; floor; floor = floor->next) floor->visible = floor->active = 1;
    doc->itsCurLayer = current;
    return true;
}

}  // namespace dvxtest
