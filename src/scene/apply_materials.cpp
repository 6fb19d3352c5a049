#include "scene/apply_materials.h"

#include <cstring>
#include <limits>
#include <string>

#include "model/sym_entry.h"
#include "files/content_folders.h"
#include "files/ini.h"
#include "files/palettes.h"
#include "geometry/elements/edging_build.h"
#include "geometry/elements/fence_build.h"
#include "geometry/elements/rail_build.h"
#include "geometry/elements/skylight_symbols.h"
#include "geometry/elements/stair_build.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/rebuild_table.h"
#include "model/type_data.h"
#include "model/plan_objects.h"
#include "port/files.h"
#include "files/custom_textures.h"
#include "scene/pick_state.h"
#include "files/texture_files.h"
#include "scene/material_pick.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "model/tool_state.h"

namespace {

constexpr int16_t kFull = 100;
constexpr int16_t kTranslucent = -1;   // 65535 as stored: the size pair then holds the alpha
constexpr int16_t kPickLevel = 8;      // textures modulated by lighting, nearest filtering
constexpr int16_t kShiftBit = 4;
constexpr int16_t kCommandBit = 8;
constexpr int32_t kFirstPaletteRef = -1001;
constexpr int32_t kPaletteRefBase = 1000;
// Fence and railing pieces whose subtype says which of the owner's material sets they show.
constexpr int32_t kFenceBothSetsPiece = 154;
constexpr int32_t kFenceThirdSetPiece = 155;
constexpr int32_t kRailingSecondSetPiece = 156;
constexpr const char* kNoName = "Done";
constexpr int kNameLimit = 250;
constexpr RGBColor kNoColour{0xFFFF, 0xFFFF, 0xFFFF};

struct Material {
    int32_t texture = 0;
    bool writesTexture = false;
    RGBColor colour = kNoColour;
    ShortPoint size{kFull, kFull};
};

enum class Kind { Texture, CustomImage, Colour, Palette };

// What the picked piece told us; the piece itself may be gone once a rebuild ran.
struct Hit {
    Objex* base = nullptr;
    Objex* object3D = nullptr;
    uint16_t pieceKind = 0;
    bool planar = false;
    float normalY = 0;
    int32_t* textureField = nullptr;
    RGBColor* colourField = nullptr;
    int16_t* scaleField = nullptr;
    int16_t type3D() const { return object3D ? object3D->type : 0; }
};

bool InPieces(const PlaneObject* head, const PlaneObject* piece) {
    for (const PlaneObject* p = head; p; p = p->next)
        if (p == piece || InPieces(p->masks, piece) || InPieces(p->trims, piece)) return true;
    return false;
}

// A piece of the scene whose plan object, when it has one on a layer, is the current design's.
bool OfCurrentScene(const PlaneObject* piece) {
    if (!InPieces(gGLPlaneObjects, piece)) return false;
    const Objex* root = GetRootObject(piece->baseObject);
    const Layer* layer = root ? root->layer : nullptr;
    if (!layer || !gCurDocument) return true;
    return layer == gCurDocument->itsTopoLayer || gCurDocument->holdsLayer(layer);
}

void Put(int32_t& texture, RGBColor& colour, ShortPoint& size, const Material& m) {
    if (m.writesTexture) texture = m.texture;
    colour = m.colour;
    size = m.size;
}
void PointsSide1(Objex* o, const Material& m) {
    for (Poinz* p = o->firstPoint; p; p = p->next) Put(p->texture1, p->color1, p->faceScale1, m);
}
void AllPoints(Objex* o, const Material& m) {
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        Put(p->texture1, p->color1, p->faceScale1, m);
        Put(p->texture2, p->color2, p->faceScale2, m);
    }
}
void FirstSet(Objex* o, const Material& m) { Put(o->texture2, o->color2, o->textureScales[0], m); }
void SecondSet(Objex* o, const Material& m) { Put(o->texture3, o->color3, o->textureScales[1], m); }
// The fourth slot: a freehand panel's underside, which its slab's lower face shows.
void ThirdSet(Objex* o, const Material& m) { Put(o->texture4, o->color4, o->textureScales[2], m); }
// The object's own material, its fill and pen colours the plan's.
void OwnWithPen(Objex* o, const Material& m) {
    Put(o->texture, o->fillColor, o->textureScales[4], m);
    o->penColor = m.colour;
}

// The real-world size of the texture (100 by 100 when it gives none).
void TextureSize(int32_t textureID, int16_t* scale) {
    if (!scale) return;
    int32_t w = kFull, h = kFull;
    if (GetPaletteTextureID(textureID) >= kFirstCustomTextureID) LoadCustomTextureWH(textureID, &w, &h);
    else LoadTextureWH(textureID, &w, &h);
    scale[0] = static_cast<int16_t>(w), scale[1] = static_cast<int16_t>(h);
}

bool LoadsTrimSize(Kind kind) { return kind != Kind::Colour; }

// The object's own pieces again, through whichever folder builds its type.
void Rebuild(Objex* object) { rebuild::Run(object, rebuild::kObjectScopes); }

void CarryToWall(const Hit& hit, const Material& m, Kind kind) {
    Objex* o3 = hit.object3D;
    const int16_t t = hit.type3D();
    if (objtype::IsOpening(t)) {
        const bool trim = hit.pieceKind == 1 || hit.pieceKind == 2;
        if (!trim) OwnWithPen(o3, m);
        else if (LoadsTrimSize(kind)) TextureSize(m.texture, hit.scaleField);
    } else if (t == objtype::kAccessory) {
        FirstSet(o3, m);
    }
    rebuild::RefitAttachments(hit.base);
}

// Skylights and dormer cut-outs on a roof or freehand roof; true when the roof was rebuilt.
bool CarryToRoofAttachment(const Hit& hit, const Material& m, Kind kind, void (*rebuild)(Objex*)) {
    switch (hit.pieceKind) {
    case 1: case 2: case 4: case 5:
        if (kind == Kind::Colour) return false;
        TextureSize(m.texture, hit.scaleField);
        rebuild(hit.base);
        return true;
    default:
        OwnWithPen(hit.object3D, m);
        ApplyVisualAttributesToSkylightSymbols(hit.object3D, hit.object3D->texture, m.colour, m.size);
        return false;
    }
}

void CarryToRoof(const Hit& hit, const Material& m, Kind kind) {
    Objex* roof = hit.base;
    switch (hit.type3D()) {
    case objtype::kRoofPanel:
        if (roof->firstPoint) Put(roof->firstPoint->texture1, roof->firstPoint->color1, roof->firstPoint->faceScale1, m);
        break;
    case objtype::kRoofPiece34:
        if (kind != Kind::Colour && kind != Kind::Palette) break;
        [[fallthrough]];
    case objtype::kRoofPiece33:
        if (roof->firstPoint) Put(roof->firstPoint->texture2, roof->firstPoint->color2, roof->firstPoint->faceScale2, m);
        break;
    case objtype::kRoofPiece35:
        if (m.writesTexture) roof->texture3 = m.texture;
        roof->textureScales[1] = m.size;
        if (roof->firstPoint) roof->firstPoint->color2 = m.colour;
        break;
    case objtype::kRoofPiece41:
        FirstSet(roof, m);
        break;
    case objtype::kSkylight:
        CarryToRoofAttachment(hit, m, kind, Rebuild);
        break;
    default:
        break;
    }
    Rebuild(roof);
}

// Twice the signed plan area of the slab's lower ring: its lower cap's normal points (in y)
// the way this sign says, its upper cap's the other, whichever way the outline runs or the
// panel slopes.
float RingTurn(const Objex* slab) {
    const int32_t count = slab->rows > 0 ? slab->pointCount / slab->rows : 0;
    const Poinz* first = slab->firstPoint;
    float area = 0;
    int32_t i = 0;
    for (const Poinz* p = first; p && i < count; p = p->next, ++i) {
        const Poinz* q = p->next && i + 1 < count ? p->next : first;
        area += p->position[0] * q->position[2] - q->position[0] * p->position[2];
    }
    return area;
}

void CarryToPanel(const Hit& hit, const Material& m, Kind kind) {
    Objex* panel = hit.base;
    if (hit.type3D() == objtype::kSkylight) {
        CarryToRoofAttachment(hit, m, kind, Rebuild);
    } else {
        const bool underside = hit.planar && hit.type3D() == objtype::kPanelSlab && hit.normalY * RingTurn(hit.object3D) > 0;
        if (underside) ThirdSet(panel, m);
        else FirstSet(panel, m);
    }
    Rebuild(panel);
}

void CarryToFentrix(const Hit& hit, const Material& m) {
    Objex* o = hit.base;
    if (gTrackModifiers & kCommandBit) {
        Objex* root = GetRootObject(o);
        for (Objex* c = root ? root->firstChild : nullptr; c; c = c->next) {
            c->fillColor = c->penColor = m.colour;
            AllPoints(c, m);
            c->needsRebuild = 1;
            ReRenderObject(c);
        }
    } else if (gTrackModifiers & kShiftBit) {
        AllPoints(o, m);
        o->fillColor = o->penColor = m.colour;
    }
}

void CarryToDeck(const Hit& hit, const Material& m) {
    Objex* deck = hit.base;
    switch (hit.type3D()) {
    case 0: break;
    case objtype::kCurvedRailPiece: case objtype::kStairRail: SecondSet(deck, m); break;
    case objtype::kStairStep: case objtype::kDeck:
        PointsSide1(deck, m);
        FirstSet(deck, m);
        break;
    default: OwnWithPen(deck, m); break;
    }
    Rebuild(deck);
}

void CarryToStair(const Hit& hit, const Material& m) {
    switch (hit.type3D()) {
    case 0: break;
    case objtype::kStairStep: SecondSet(hit.base, m); break;
    case objtype::kCurvedRailPiece: case objtype::kStairRail: FirstSet(hit.base, m); break;
    default: AllPoints(hit.base, m); break;
    }
    UpdateStairObject(hit.base);
}

void CarryToFence(const Hit& hit, const Material& m) {
    const int32_t subtype = hit.object3D ? hit.object3D->subtype : 0;
    Objex* fence = hit.base;
    namespace ff = objfield::fence;
    if (subtype == kFenceBothSetsPiece) FirstSet(fence, m), SecondSet(fence, m);
    // A fence's own slot holds its style: a gate's material has the fourth slot.
    else if (subtype == kFenceThirdSetPiece)
        Put(ff::kGateTexture(*fence), ff::kGateColour(*fence), fence->textureScales[ff::kGateScaleSlot], m);
    else AllPoints(fence, m);
    UpdateFenceObject(hit.base);
}

void CarryToCabinet(const Hit& hit, const Material& m) {
    Objex* cabinet = hit.base;
    int32_t style = hit.object3D ? hit.object3D->subtype : 0;
    if (hit.type3D() == objtype::kDeckPart) {
        AllPoints(cabinet, m);
        style = cabinet->subtype;
    }
    AssignCabinetTextures(style, m.texture, m.size, m.colour, cabinet);
}

// The entry's info file: a relative name lies in the custom texture folder.
std::string InfoPath(const SymEntryInfo& entry) {
    if (entry.objectInfo.empty() || entry.objectInfo[0] == '/') return entry.objectInfo;
    const std::string folder = LocalDomainCustomTexturePath();
    return folder.empty() ? std::string() : port::JoinPath(folder, entry.objectInfo);
}

void NameAccessory(Objex* accessory, const SymEntryInfo& entry) {
    const std::string info = InfoPath(entry);
    if (info.empty()) return;
    char name[kNameLimit + 1] = {};
    GetPrivateProfileString("Description", "Name", kNoName, name, sizeof name, info.c_str());
    if (!name[0] || std::strcmp(name, kNoName) == 0) return;
    char* copy = CopyString(name);
    if (!copy) return;
    char*& field = objfield::accessory::kName(*accessory);
    FreeString(field);
    field = copy;
}

void ShowOnPhoto(Objex* photo, int32_t textureID) {
    const char* relative = GetCustomTextureIDPath(textureID);
    const std::string folder = LocalDomainCustomTexturePath();
    if (!relative || std::strlen(relative) <= 3 || folder.empty()) return;
    if (photo->typeData.kind != TypeDataKind::ImagePath && !photo->typeData.empty()) return;
    char* path = CopyString(port::JoinPath(folder, relative).c_str());
    if (!path) return;
    FreeString(photo->typeData.imagePath);
    photo->typeData = TypeData::OfImagePath(path);
    photo->texture2 = photo->texture3 = photo->texture4 = textureID;
    for (Poinz* p = photo->firstPoint; p; p = p->next) p->texture1 = p->texture2 = textureID;
    Rebuild(photo);
}

void CarryOver(const Hit& hit, const Material& m, Kind kind, const SymEntryInfo* entry) {
    Objex* base = hit.base;
    switch (base->type) {
    case objtype::kWall:
        if (entry && hit.type3D() == objtype::kAccessory) NameAccessory(hit.object3D, *entry);
        return CarryToWall(hit, m, kind);
    case objtype::kFloor:
    case objtype::kFloorCutout:
        if (hit.type3D() == objtype::kDeckPart) AllPoints(base, m);
        return Rebuild(base);
    case objtype::kRoof: return CarryToRoof(hit, m, kind);
    case objtype::kFentrix: return CarryToFentrix(hit, m);
    case objtype::kPath:
        AllPoints(base, m);
        return Rebuild(base);
    case objtype::kEdging:
        AllPoints(base, m);
        return UpdateEdgingObject(base);
    case objtype::kFence: return CarryToFence(hit, m);
    case objtype::kFill:
    case objtype::kGroundFill: return AllPoints(base, m);
    case objtype::kStaircase: return CarryToStair(hit, m);
    case objtype::kRailing:
        if (hit.object3D && hit.object3D->subtype == kRailingSecondSetPiece) SecondSet(base, m);
        else FirstSet(base, m);
        return UpdateRailObject(base);
    case objtype::kDeck: return CarryToDeck(hit, m);
    case objtype::kFreehandRoof: return CarryToPanel(hit, m, kind);
    case objtype::kCabinetPart: return CarryToCabinet(hit, m);
    case objtype::kPhoto:
        if (entry) return ShowOnPhoto(base, m.texture);
        // The panel is rebuilt from the photo's own points: they keep what was dropped.
        AllPoints(base, m);
        return Rebuild(base);
    default:
        if (objtype::IsFixedComponent(base->type) && base->firstPart) rebuild::Run(base, uint8_t(rebuild::Scope::Symbol));
        return;
    }
}

int32_t Apply(int32_t x, int32_t y, Material m, Kind kind, const SymEntryInfo* entry = nullptr) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return 0;
    const GLPick pick = PickForMaterial(x, y);
    if (pick.kind == GLPick::NoSelectionBuffer) return 0;
    if (entry) {
        // The image joins the document's custom textures only once it lands somewhere.
        std::string path = entry->objectData;
        m.texture = NewCustomTextureID(path.data());
        if (m.texture <= 0) return 0;
    }
    switch (pick.kind) {
    case GLPick::NoSelectionBuffer: return 0;
    case GLPick::Nothing:
        if (m.writesTexture) ds->backgroundTexture = m.texture;
        ds->skyColor = m.colour;
        ds->skyTextureScale = m.size;
        return 0;
    case GLPick::Lot:
        if (m.writesTexture) {
            if (m.texture < std::numeric_limits<int16_t>::min() || m.texture > std::numeric_limits<int16_t>::max()) return 0;
            ds->lotTexture = static_cast<int16_t>(m.texture);
        }
        ds->lotColor = m.colour;
        ds->lotTextureScale = m.size;
        return 0;
    case GLPick::Piece: break;
    }
    PlaneObject* piece = pick.piece;
    Hit hit;
    hit.base = piece->baseObject, hit.object3D = piece->object3D, hit.pieceKind = piece->pieceKind;
    hit.planar = piece->surfaceKind == kPlanarSurface;
    hit.normalY = piece->planes ? piece->planes->ny : 0;
    hit.textureField = hit.planar ? piece->frontTextureField : piece->backTextureField;
    hit.colourField = hit.planar ? piece->frontColorField : piece->backColorField;
    hit.scaleField = hit.planar ? piece->frontScaleField : piece->backScaleField;

    const int32_t oldTexture = hit.textureField ? *hit.textureField : 0;
    const RGBColor oldColour = hit.colourField ? *hit.colourField : RGBColor{};
    const int16_t oldScale[2] = {hit.scaleField ? hit.scaleField[0] : int16_t{0}, hit.scaleField ? hit.scaleField[1] : int16_t{0}};
    if (hit.textureField && m.writesTexture) *hit.textureField = m.texture;
    if (hit.colourField) *hit.colourField = m.colour;
    if (hit.scaleField) hit.scaleField[0] = m.size.x, hit.scaleField[1] = m.size.y;
    if (!hit.base) return 1;
    hit.base->needsRebuild = 1;
    if (hit.base->type == objtype::kDeck) {
        // A deck's faces show what its own fields give them; the carry-over decides instead.
        if (hit.textureField) *hit.textureField = oldTexture;
        if (hit.colourField) *hit.colourField = oldColour;
        if (hit.scaleField) hit.scaleField[0] = oldScale[0], hit.scaleField[1] = oldScale[1];
    }
    CarryOver(hit, m, kind, entry);
    ReRenderObject(hit.base);
    return 1;
}

RGBColor Unpack(uint32_t color) {
    constexpr uint16_t kByteTo16 = 257;
    return {static_cast<uint16_t>((color & 0xFF) * kByteTo16), static_cast<uint16_t>(((color >> 8) & 0xFF) * kByteTo16),
            static_cast<uint16_t>(((color >> 16) & 0xFF) * kByteTo16)};
}

}  // namespace

// A drop reaches a plant: plants are named in its pick.
GLPick PickForMaterial(int32_t x, int32_t y) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return {};
    const int16_t level = ds->navigationSpeed;
    gPickX = x, gPickY = y;
    gRealTimeDraw = gRenderingOpenGL = gGLPickMode = gGLFindAppliedMode = 1;
    ds->navigationSpeed = kPickLevel;
    GLPick hit = PickGLPlaneObject(x, y);
    ds->navigationSpeed = level;
    gRealTimeDraw = gRenderingOpenGL = gGLPickMode = gGLFindAppliedMode = 0;
    if (hit.kind == GLPick::Piece && (!hit.piece || !OfCurrentScene(hit.piece))) return {};
    return hit;
}

int32_t ApplyTexture(int32_t x, int32_t y, int32_t textureID) {
    if (textureID < 0) return 0;
    Material m;
    m.texture = textureID, m.writesTexture = textureID > 0;
    return Apply(x, y, m, Kind::Texture);
}

int32_t ApplyCustomTextureImage(int32_t x, int32_t y, const SymEntryInfo& entry) {
    if (entry.objectData.empty()) return 0;
    Material m;
    m.writesTexture = true;
    return Apply(x, y, m, Kind::CustomImage, &entry);
}

int32_t ApplyColor(int32_t x, int32_t y, uint32_t color, uint8_t translucent, uint16_t alpha) {
    Material m;
    m.writesTexture = true;
    m.colour = Unpack(color);
    if (translucent) m.size = {kTranslucent, static_cast<int16_t>(alpha)};
    return Apply(x, y, m, Kind::Colour);
}

int32_t ApplyPalette(int32_t x, int32_t y, int32_t paletteRef) {
    if (paletteRef > kFirstPaletteRef) return 0;
    const PaletteList* entry = GetPaletteEntryFromRefID(-paletteRef - kPaletteRefBase);
    if (!entry || GetPaletteTextureID(paletteRef) < 0) return 0;
    Material m;
    m.texture = paletteRef, m.writesTexture = true;
    if (entry->kind == kPaletteColor) m.size = {entry->textureScale[0], entry->textureScale[1]};
    return Apply(x, y, m, Kind::Palette);
}

void AssignCabinetTextures(int32_t style, int32_t texture, ShortPoint size, RGBColor colour, Objex* object) {
    Objex* root = GetRootObject(object);
    if (!root || (root->type != objtype::kGroup && root->subtype != objsubtype::kCabinetGroup)) return;
    const Material m{texture, true, colour, size};
    const bool styled = (style >= 4020 && style <= 4027) || (style >= 4040 && style <= 4042);
    if (!styled) return;
    for (Objex* c = root->firstChild; c; c = c->next) {
        if (c->type != objtype::kCabinetPart || c->subtype != style) continue;
        FirstSet(c, m);
        SecondSet(c, m);
        AllPoints(c, m);
        c->needsRebuild = 1;
        Rebuild(c);
        ReRenderObject(c);
    }
}

int32_t ApplyCustomTexture(int32_t, int32_t, int32_t) { return 0; }
int32_t Select3DObject(int32_t, int32_t) { return 0; }
int32_t EyeDropper3DPick(int32_t, int32_t) { return 0; }
