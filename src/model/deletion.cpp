#include "model/deletion.h"

#include <vector>

#include "model/document_model.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "model/plant_info.h"
#include "model/rebuild_table.h"
#include "port/seam.h"
#include "model/render_state.h"

namespace {
std::vector<ForgetObjectFunction>& Forgetters() {
    static std::vector<ForgetObjectFunction> list;
    return list;
}
}  // namespace

ObjectForgetter::ObjectForgetter(ForgetObjectFunction forget) {
    if (forget) Forgetters().push_back(forget);
}

void ForgetObjectInGlobals(const Objex* object) {
    for (ForgetObjectFunction forget : Forgetters()) forget(object);
}

Objex* gWorkbenchObject = nullptr;
static const port::GlobalReset kReset([] { gWorkbenchObject = nullptr; });
static const ObjectForgetter kForget([](const Objex* o) {
    if (gWorkbenchObject == o) gWorkbenchObject = nullptr;
});

void DeleteObjectList(Objex*& head) {
    Objex* o = head;
    head = nullptr;
    while (o) {
        Objex* next = o->next;
        o->prev = nullptr;
        o->next = nullptr;
        o->layer = nullptr;
        o->parent = nullptr;
        DeleteObj(o);
        o = next;
    }
}

namespace {

void DeleteLooseObject(Objex*& object) {
    if (!object) return;
    Objex* o = object;
    object = nullptr;
    o->prev = o->next = nullptr;
    o->layer = nullptr;
    o->parent = nullptr;
    DeleteObj(o);
}

void ReleaseAttachment(AttachmentRecord* r) {
    // Take the record out of the carving chain of its segment.
    if (r->prevRecord) r->prevRecord->nextRecord = r->nextRecord;
    if (r->nextRecord) r->nextRecord->prevRecord = r->prevRecord;
    r->prevRecord = r->nextRecord = nullptr;
    DeleteObjectList(r->generatedParts);
    for (int i = 0; i < 4; ++i) DeleteObjectList(r->customParts[i]);
    DeleteLooseObject(r->insideTrimProfile);
    r->insideCustomTrim = 0;
    DeleteLooseObject(r->outsideTrimProfile);
    r->outsideCustomTrim = 0;
    for (int i = 4; i < 7; ++i) DeleteObjectList(r->customParts[i]);
    delete r;
}

void ReleaseRoofAttachment(RoofAttachmentRecord* r) {
    DeleteObjectList(r->customParts);
    for (Objex*& list : r->partLists) DeleteObjectList(list);
    delete r;
}

}  // namespace

void DeleteTrimRecord(TrimRecord* trim) {
    if (!trim) return;
    for (Objex*& profile : trim->profile) DeleteLooseObject(profile);
    delete trim;
}

void DeleteObjectPoints(Objex* object) {
    if (!object) return;
    Poinz* p = object->firstPoint;
    object->firstPoint = nullptr;
    object->pointCount = 0;
    while (p) {
        Poinz* next = p->next;
        // Only wall points carry trim records; freeing any that are present keeps an
        // object converted away from a wall from leaking them.
        DeleteTrimRecord(p->trim1);
        DeleteTrimRecord(p->trim2);
        delete p;
        p = next;
    }
}

void DeleteObjectData(Objex* object) {
    if (!object) return;
    TypeData& td = object->typeData;
    switch (td.kind) {
    case TypeDataKind::None:
        return;
    case TypeDataKind::WallSolid:
        DeleteLooseObject(td.wallSolid);
        break;
    case TypeDataKind::RoofPanels:
        DeleteObjectList(td.roofPanels);
        break;
    case TypeDataKind::Attachment:
        if (td.attachment) ReleaseAttachment(td.attachment);
        break;
    case TypeDataKind::RoofAttachment:
        if (td.roofAttachment) ReleaseRoofAttachment(td.roofAttachment);
        break;
    case TypeDataKind::Text:
        if (td.text) {
            FreeString(td.text->text);
            delete td.text;
        }
        object->optionB = 0;
        break;
    case TypeDataKind::Dimension:
        if (td.dimension) {
            Objex* box = td.dimension->textBox;
            if (box && box->typeData.kind == TypeDataKind::DimensionText && box->typeData.dimensionText)
                box->typeData.dimensionText->owner = nullptr;
            delete td.dimension;
        }
        break;
    case TypeDataKind::DimensionText:
        if (td.dimensionText) {
            Objex* owner = td.dimensionText->owner;
            if (owner && owner->typeData.kind == TypeDataKind::Dimension && owner->typeData.dimension)
                owner->typeData.dimension->textBox = nullptr;
            delete td.dimensionText;
        }
        break;
    case TypeDataKind::ImagePath:
        FreeString(td.imagePath);
        break;
    case TypeDataKind::Cabinet:
        delete td.cabinet;
        break;
    }
    td.clear();
}

void DeleteObj(Objex* object) {
    if (!object) return;
    ForgetObjectInGlobals(object);
    rebuild::DeleteRendererObject(object);

    // A photo's image path is its type record: released with it below, never lost.
    delete object->platformObject;
    object->platformObject = nullptr;

    UnlinkObject(object);

    DeleteObjectData(object);
    DeleteObjectPoints(object);
    if (object->plantInfo) {
        DeletePlantInfo(object->plantInfo);
        object->plantInfo = nullptr;
    }
    FreeString(object->text);
    object->text = nullptr;

    if (objtype::Has(object->type, objtype::kSetsLotElevation)) rebuild::SetLotElevation();

    for (Objex* child = object->firstChild; child;) {
        Objex* next = child->next;
        DeleteObj(child);
        child = next;
    }
    object->firstChild = nullptr;
    // Pieces hang on no parent: taken off whole, so none reads the floor it names.
    DeleteObjectList(object->firstPart);
    delete object;
}

void DeleteLayerObjects(Layer* layer) {
    if (!layer) return;
    // The ground is computed once, when the floor is empty, not at each terrain object freed.
    const rebuild::GroundBatch ground;
    PlanIndexForget(layer);  // one drop rather than an unlink per object
    for (Objex* o = layer->firstObject; o;) {
        Objex* next = o->next;
        DeleteObj(o);
        o = next;
    }
    layer->firstObject = nullptr;
    layer->lastObject = nullptr;
    gRefreshRender = 1;
}

void DeleteLayer(Layer* layer) {
    if (!layer) return;
    if (QMDDocumentModel* doc = gCurDocument) {
        if (doc->itsLayers == layer) doc->itsLayers = layer->next;
        if (doc->itsCurLayer == layer) doc->itsCurLayer = layer->prev ? layer->prev : layer->next;
        if (doc->itsCur2DLayer == layer) doc->itsCur2DLayer = nullptr;
        if (doc->itsTopoLayer == layer) doc->itsTopoLayer = nullptr;
    }
    UnlinkLayer(layer);
    DeleteLayerObjects(layer);
    delete layer;
}
