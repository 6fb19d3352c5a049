#include "ui/core/photo_pane_rules.h"

#include "app/core/localization_seams.h"
#include "files/undo.h"
#include "model/bounds.h"
#include "model/custom_texture_list.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "scene/scene_build.h"
#include "model/selection_queries.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "plan/refresh_seams.h"
#include "tools/photos.h"
#include "ui/core/inspector_edits.h"

namespace {

Layer* CurrentFloor() { return CurrentDocState() ? gCurDocument->itsCurLayer : nullptr; }

bool HasBaseLine(const Objex* o) { return o->firstPoint && o->firstPoint->next; }

// Each selected photo of the floor, given to `change`, is rebuilt when it changed; true when any did.
template <class Change>
bool OverSelectedPhotos(Layer* floor, Change change) {
    bool any = false;
    for (Objex* o = floor->firstObject; o; o = o->next) {
        if (o->type != objtype::kPhoto || !IsObjectSelected(o) || !change(o)) continue;
        Update3DPhoto(o);
        ReRenderObject(o);
        any = true;
    }
    return any;
}

void Store(const char* name) { StoreUndo(LocalizedString(name).c_str()); }

}  // namespace

bool PhotoSizeAccepted(float inches) { return inches > 0.01f && inches < 10000.0f; }

float PhotoBaseLength(const Objex* photo) {
    if (!HasBaseLine(photo)) return 0;
    const Poinz *a = photo->firstPoint, *b = a->next;
    return GetLineLength(a->position[0], a->position[2], b->position[0], b->position[2]);
}

bool ResizePhotoBaseLine(Objex* photo, float half) {
    if (!HasBaseLine(photo)) return false;
    Poinz *a = photo->firstPoint, *b = a->next;
    const float ch = (a->position[0] + b->position[0]) / 2, cd = (a->position[2] + b->position[2]) / 2;
    float length = 0, dh = 0, dd = 0;
    const float angle = GetLineLengthAndAngle(a->position[0], a->position[2], b->position[0], b->position[2], &length);
    GetPointFromLengthAndAngle(angle, half, &dh, &dd);
    const float ends[4] = {ch - dh, cd - dd, ch + dh, cd + dd};
    if (ends[0] == a->position[0] && ends[1] == a->position[2] && ends[2] == b->position[0] &&
        ends[3] == b->position[2])
        return false;
    a->position[0] = ends[0], a->position[2] = ends[1];
    b->position[0] = ends[2], b->position[2] = ends[3];
    UpdateObjectBounds(photo);
    return true;
}

bool ApplyPhotoWidth(float inches) {
    Layer* floor = CurrentFloor();
    if (!floor) return false;
    const DocState* ds = CurrentDocState();
    const float half = ConvertWorldToScreen(inches, ds, 0) / 2;
    const bool changed = OverSelectedPhotos(floor, [&](Objex* o) {
        return !FieldShowsTyped(FieldEntry::Length, ConvertScreenToWorld(PhotoBaseLength(o), ds, 0), inches) &&
               ResizePhotoBaseLine(o, half);
    });
    if (changed) Store("RorozErud Width");
    Refresh();
    return changed;
}

bool ApplyPhotoHeight(float inches) {
    Layer* floor = CurrentFloor();
    if (!floor) return false;
    const DocState* ds = CurrentDocState();
    const float height = ConvertWorldToScreen(inches, ds, 0);
    const bool changed = OverSelectedPhotos(floor, [&](Objex* o) {
        if (FieldShowsTyped(FieldEntry::Length, ConvertScreenToWorld(objfield::photo::kHeight(*o), ds, 0), inches))
            return false;
        objfield::photo::kHeight(*o) = height;
        return true;
    });
    if (changed) Store("RorozErud Height");
    Refresh();
    return changed;
}

bool ApplyPhotoShadows(bool casts) {
    Layer* floor = CurrentFloor();
    if (!floor) return false;
    const uint16_t mark = casts ? 0 : 1;
    const bool changed = OverSelectedPhotos(floor, [mark](Objex* o) {
        if (objfield::no_shadow::kMark(*o) == mark) return false;
        objfield::no_shadow::kMark(*o) = mark;
        return true;
    });
    if (changed) Store("RorozErud Shadow");
    Refresh();
    return changed;
}

bool FlipPhotoImages() {
    Layer* floor = CurrentFloor();
    if (!floor) return false;
    const bool changed = OverSelectedPhotos(floor, [](Objex* o) {
        objfield::photo::kMirrored(*o) = objfield::photo::kMirrored(*o) ? 0 : 1;
        return true;
    });
    Refresh();
    Store("Flip RorozErud Image");
    return changed;
}

bool SetPhotoImages(const std::string& path) {
    Layer* floor = CurrentFloor();
    if (!floor) return false;
    const bool changed = OverSelectedPhotos(floor, [&path](Objex* o) {
        if (o->typeData.kind == TypeDataKind::ImagePath) FreeString(o->typeData.imagePath);
        // Without memory the photo keeps no path rather than a stale one.
        o->typeData = TypeData::OfImagePath(CopyString(path.c_str()));
        if (!o->typeData.imagePath) o->typeData.clear();
        const int32_t id = gCurrentPhotoTextureID++;
        o->texture2 = o->texture3 = o->texture4 = id;
        for (Poinz* p = o->firstPoint; p; p = p->next) p->texture1 = p->texture2 = id;
        return true;
    });
    Store("Set RorozErud Image");
    return changed;
}

Objex* FirstSelectedPhoto() {
    Layer* floor = CurrentFloor();
    for (Objex* o = floor ? floor->firstObject : nullptr; o; o = o->next)
        if (o->type == objtype::kPhoto && IsObjectSelected(o)) return o;
    return nullptr;
}
