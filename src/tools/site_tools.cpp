#include "tools/site_tools.h"

#include <cstring>

#include "geometry/elements/edging_build.h"
#include "geometry/elements/fence_build.h"
#include "model/bounds.h"
#include "model/default_textures.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/texture_mapping.h"
#include "plan/refresh_seams.h"
#include "files/custom_textures.h"
#include "scene/scene_build.h"
#include "scene/terrain.h"
#include "model/material_table.h"
#include "tracking/outline_tracker.h"
#include "tools/site_rebuilds.h"
#include "tracking/shape_trackers.h"
#include "tracking/tracking_state.h"

uint8_t gEdgingStyleFlag = 0;

namespace {

const port::GlobalReset kReset([] { gEdgingStyleFlag = 0; });

constexpr RGBColor kNoColour{0xFFFF, 0xFFFF, 0xFFFF};
constexpr int32_t kLandscapePlanBits = 128;
constexpr int32_t kPropertyLineTexture = 1151;
constexpr int32_t kPropertyLinePointTexture = 1150;
constexpr int32_t kExcavationPointTexture = 1115;
constexpr int16_t kStraightPath = 1;
constexpr int32_t kOrnamentalFenceStyle = 704;
constexpr char kOrnamentalFenceTexture[] = "Custom Fences/Iron Ornamental/orna3.PTX";

void DressPoints(Objex* o, int32_t texture, float raise) {
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        p->texture1 = p->texture2 = texture;
        p->color1 = p->color2 = kNoColour;
        p->faceScale1 = p->faceScale2 = ShortPoint{100, 100};
        p->position[1] += raise;
    }
}

// On a floor above the ground, what stands on the floor (fences, edging) stays at the floor's
// height, as plants do; ground covers (paths, fills) and the ground's own shapes keep to the
// terrain.
bool OnGroundFloor(const DocState* ds) { return ds->currentElevation == 0.0f; }

void Landscape(Objex* o, int16_t type, bool onTerrain) {
    o->type = type;
    o->planBits = kLandscapePlanBits;
    o->onTerrain = onTerrain ? 1 : 0;
}

// Ground fills and fills: the material's colour, its number in the texture field.
void DressFill(Objex* o, int16_t type, int32_t pointTexture, float raise, const DocState* ds) {
    Landscape(o, type, true);
    const int32_t material = ds->fillPattern;
    o->fillColor = o->penColor = MaterialTableColor(material);
    o->texture = material;
    o->fillPattern = 0;
    DressPoints(o, pointTexture, raise);
}

// The outline tracker with the tool's completion, given the settings record.
template <class Done>
void Outline(int32_t x, int32_t y, float h, float v, float d, int16_t stage, bool smooth, bool closed, int16_t type,
             Done done) {
    if (!gCurDocument || !CurrentDocState()) return;
    TrackGnrlPoly(x, y, h, v, d, stage, smooth, closed, 0, type, [done](Objex* outline) {
        DocState* ds = CurrentDocState();
        if (!outline || !ds) return;
        done(outline, ds);
        // Mapped as it was left, raised or lowered: a read maps it so.
        MapFacesAndLengths(outline);
    });
}

}  // namespace

void TrackPropertyLine(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    Outline(x, y, h, v, d, stage, false, true, objtype::kPropertyLine, [](Objex* o, DocState*) {
        Landscape(o, objtype::kPropertyLine, true);
        o->fillColor = o->penColor = kNoColour;
        o->texture = kPropertyLineTexture;
        DressPoints(o, kPropertyLinePointTexture, 1.0f);
    });
}

void TrackGroundFill(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    Outline(x, y, h, v, d, stage, false, true, objtype::kGroundFill, [](Objex* o, DocState* ds) {
        DressFill(o, objtype::kGroundFill, gFillDefaultTexture, 2.0f, ds);
        SetTextureFaceUV(o), SetObjectPointLengths(o);
        RenderSingleObject(o);
    });
}

void TrackPath(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    DocState* ds = CurrentDocState();
    const bool curved = ds && ds->pathStyleChoice != kStraightPath;
    Outline(x, y, h, v, d, stage, curved, false, objtype::kPath, [](Objex* o, DocState* s) {
        Landscape(o, objtype::kPath, true);
        const int32_t material = s->pathStyle;
        o->penWidth = s->pathWidth;
        o->fillColor = o->penColor = MaterialTableColor(material);
        o->texture = material;
        o->optionA = 0;                  // centred on the drawn line
        o->optionB = s->pathStyleChoice;
        o->fillPattern = 0;              // no border
        DressPoints(o, gPathDefaultTexture, 0);
        Update3DPath(o);
        RenderSingleObject(o);
    });
}

void TrackFill(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    Objex* o = TrackOval(x, y, h, v, d, stage);
    if (stage != 3 || !o) return;
    DressFill(o, objtype::kFill, gFillDefaultTexture, 3.0f, ds);
    MapFacesAndLengths(o);
    UpdateObjectBounds(o);
    RenderSingleObject(o);
}

void TrackEdging(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    Outline(x, y, h, v, d, stage, gEdgingStyleFlag == 0, false, objtype::kPolygon, [](Objex* o, DocState* s) {
        Landscape(o, objtype::kEdging, OnGroundFloor(s));
        o->fillColor = o->penColor = s->edgingColor;
        o->optionB = gEdgingStyleFlag;
        DressPoints(o, gEdgingDefaultTexture, 0);
        UpdateEdgingObject(o);
        RenderSingleObject(o);
    });
}

void TrackFence(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    Outline(x, y, h, v, d, stage, false, false, objtype::kPolygon, [](Objex* o, DocState* s) {
        Landscape(o, objtype::kFence, OnGroundFloor(s));
        o->fillColor = o->penColor = s->fenceColor;
        o->texture = int16_t(s->fenceStyle);
        for (int i = 0; i < objfield::fence::kSizeCount; ++i) objfield::fence::kSize(i)(*o) = s->fenceSizes[objfield::fence::kSettingsSize[i]];
        o->texture2 = o->texture3 = 850;
        o->texture4 = 2200;
        o->color2 = o->color3 = o->color4 = kNoColour;
        for (ShortPoint& scale : o->textureScales) scale = ShortPoint{100, 100};
        int32_t texture = gFenceDefaultTexture;
        if (s->fenceStyle == kOrnamentalFenceStyle) {
            char path[sizeof kOrnamentalFenceTexture];  // the registry may rewrite it in place
            std::memcpy(path, kOrnamentalFenceTexture, sizeof path);
            texture = NewCustomTextureID(path);
        }
        DressPoints(o, texture, 0);
        UpdateFenceObject(o);
        RenderSingleObject(o);
    });
}

void TrackTopo(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    const bool curved = gCurTool == 7511;
    Outline(x, y, h, v, d, stage, curved, true, objtype::kTopography, [](Objex* o, DocState* s) {
        o->type = objtype::kTopography;
        o->planBits = kLandscapePlanBits;
        o->penWidth = s->topoValue;  // the line's elevation
        SetLotElevation();
        RenderSingleObject(o);
        Refresh();
    });
}

void TrackTopoCutout(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    Outline(x, y, h, v, d, stage, false, true, objtype::kExcavation, [](Objex* o, DocState* s) {
        Landscape(o, objtype::kExcavation, false);
        o->subtype = objsubtype::kExcavation;
        o->fillColor = o->penColor = kNoColour;
        o->texture = o->texture2 = o->texture3 = 0;
        o->color2 = o->color3 = kNoColour;
        const float depth = s->conversionValueB;
        objfield::excavation::kDepth(*o) = depth;
        o->elevation = -depth;
        DressPoints(o, kExcavationPointTexture, -1.0f);
        SetTextureFaceUV(o), SetObjectPointLengths(o);
        Update3DTopoCutoutDepthObject(o);
        RenderSingleObject(o);
    });
}
