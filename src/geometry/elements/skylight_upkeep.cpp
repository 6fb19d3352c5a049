#include "geometry/elements/skylight_upkeep.h"

#include "geometry/elements/roof_attachment_fit.h"
#include "geometry/elements/skylight_symbols.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/transform_support.h"
#include "model/type_data.h"
#include "plan/refresh_seams.h"

int16_t UpdateSkylightSymbols(Objex* skylight) {
    RoofAttachmentRecord* record = skylight ? xformsupport::RoofAttachmentOf(skylight) : nullptr;
    if (!record || record->style != kCustomSkylightStyle || !skylight->parent ||
        !objtype::IsRoof(skylight->parent->type))
        return 0;
    const Float3DRect& box = skylight->bounds3D;
    CreateCustomSkylightSymbols(skylight, (box.floatLeft + box.floatRight) / 2,
                                (box.floatBack + box.floatFront) / 2, record->angle);
    return UpdateRoofAttachment(skylight, skylight->parent);
}

int32_t UpdateSkylightSymbolsLayer(Layer* layer) {
    if (!layer) return 0;
    int32_t removed = 0;
    for (Objex* o = layer->firstObject; o; o = o->next) {
        if (o->type != objtype::kRoof && o->type != objtype::kFreehandRoof) continue;
        // The refit may delete the skylight: its successor is taken first.
        for (Objex* child = o->firstChild, *next = nullptr; child; child = next) {
            next = child->next;
            if (child->type == objtype::kSkylight) removed += UpdateSkylightSymbols(child);
        }
    }
    Refresh();
    return removed;
}

int32_t UpdateSkylightSymbolsAllLayers() {
    if (!gCurDocument) return 0;
    int32_t removed = 0;
    for (Layer* layer = gCurDocument->itsLayers; layer; layer = layer->next)
        removed += UpdateSkylightSymbolsLayer(layer);
    return removed;
}
