#include "tools/rebuild_seams.h"

#include <utility>

namespace {

struct Handlers {
    ObjectRebuildHandler wall;
    ObjectCountHandler wallAttachments;
    ObjectRebuildHandler floorSkirting;
    ObjectRebuildHandler roof;
    ObjectRebuildHandler roofPanel;
    ObjectRebuildHandler path;
    ObjectRebuildHandler deck;
    ObjectRebuildHandler photo;
    ObjectRebuildHandler topoCutoutDepth;
    ObjectRebuildHandler roofAttachments;
};

Handlers& H() {
    static Handlers handlers;
    return handlers;
}

void Call(const ObjectRebuildHandler& handler, Objex* object) {
    if (object && handler) handler(object);
}

}  // namespace

void Update3DWall(Objex* object) { Call(H().wall, object); }
int16_t UpdateAllWallAttachments(Objex* object) {
    return object && H().wallAttachments ? H().wallAttachments(object) : 0;
}
void Update3DFloorSkirting(Objex* object) { Call(H().floorSkirting, object); }
void Update3DRoof(Objex* object) { Call(H().roof, object); }
void Update3DRoofPanel(Objex* object) { Call(H().roofPanel, object); }
void Update3DPath(Objex* object) { Call(H().path, object); }
void Update3DDeck(Objex* object) { Call(H().deck, object); }
void Update3DPhoto(Objex* object) { Call(H().photo, object); }
void Update3DTopoCutoutDepthObject(Objex* object) { Call(H().topoCutoutDepth, object); }
void UpdateAllRoofAttachments(Objex* object) { Call(H().roofAttachments, object); }

void SetUpdate3DWallHandler(ObjectRebuildHandler h) { H().wall = std::move(h); }
void SetUpdateAllWallAttachmentsHandler(ObjectCountHandler h) { H().wallAttachments = std::move(h); }
void SetUpdate3DFloorSkirtingHandler(ObjectRebuildHandler h) { H().floorSkirting = std::move(h); }
void SetUpdate3DRoofHandler(ObjectRebuildHandler h) { H().roof = std::move(h); }
void SetUpdate3DRoofPanelHandler(ObjectRebuildHandler h) { H().roofPanel = std::move(h); }
void SetUpdate3DPathHandler(ObjectRebuildHandler h) { H().path = std::move(h); }
void SetUpdate3DDeckHandler(ObjectRebuildHandler h) { H().deck = std::move(h); }
void SetUpdate3DPhotoHandler(ObjectRebuildHandler h) { H().photo = std::move(h); }
void SetUpdate3DTopoCutoutDepthObjectHandler(ObjectRebuildHandler h) { H().topoCutoutDepth = std::move(h); }
void SetUpdateAllRoofAttachmentsHandler(ObjectRebuildHandler h) { H().roofAttachments = std::move(h); }

void ResetToolRebuildSeams() { H() = Handlers{}; }
