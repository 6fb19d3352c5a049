#include "scene/surfaces.h"

#include <algorithm>
#include <vector>

#include "model/bicubic.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/planar_polygons.h"
#include "model/transforms.h"
#include "scene/face_materials.h"
#include "scene/scene_build.h"
#include "scene/wall_faces.h"

namespace {

constexpr RGBColor kNoColor{0xFFFF, 0xFFFF, 0xFFFF};
constexpr int32_t kFlatLumber = 2203;
constexpr int32_t kGridLumber = facemat::kGridLumber;
constexpr uint16_t kFullSize = facemat::kFullSize;
constexpr int kStripsWithoutBase = 3;
// A damaged settings record must not ask for millions of strips per cell.
constexpr int kMostStrips = 1024;
constexpr int16_t kCustomDoor = 512;
constexpr int16_t kCustomWindow = 626;
// A flat cell of a piece of kind 60 is drawn as a strip; an object of type 131 is a photo face.
constexpr int16_t kStripPieceKind = 60;
constexpr int16_t kPhotoFaceType = 131;

using facemat::BothSides;
using facemat::Framing;
using facemat::PointSide1;
using facemat::PointSide2;
using facemat::SetBack;
using facemat::SetFront;
using facemat::SetRepeats;
using facemat::Side;

Side OfSlot(int32_t& texture, ShortPoint& size, RGBColor& color) {
    return {texture, size, &color, &texture, &color, &size.x};
}
// Slot 1, the object's own material.
Side OwnSlot(Objex* o) {
    return OfSlot(o->texture, o->textureScales[4], o->fillColor);
}
Side FirstSet(Objex* o) {
    return OfSlot(o->texture2, o->textureScales[0], o->color2);
}
Side SecondSet(Objex* o) {
    return OfSlot(o->texture3, o->textureScales[1], o->color3);
}
// Slot 4: a roof panel's underside, copied to its slab.
Side ThirdSet(Objex* o) {
    return OfSlot(o->texture4, o->textureScales[2], o->color4);
}
// No textures and no fields to write back to; colours stay.
void Untextured(PlaneObject* p) {
    BothSides(p, Side{0});
}

void SetPlanarMaterials(PlaneObject* p, Objex* o, uint8_t front, const DocState* ds) {
    const bool framing = ds->framingView != 0;
    switch (o->type) {
    case buildtype::kWallOutline:
    case 49: // 49 and 50: build types without a plan object of their own
        return framing ? Untextured(p) : BothSides(p, OwnSlot(o));
    case objtype::kFloor:
    case buildtype::kWallOutlineLayer:
    case objtype::kFloorCutout:
    case 50:
    case buildtype::kFloorCutout:
    case objtype::kCabinetPart:
        return framing ? Untextured(p) : BothSides(p, FirstSet(o));
    case buildtype::kFloorUnderside:
    case buildtype::kCabinetUnderside:
        return BothSides(p, SecondSet(o));
    default:
        break;
    }
    if (framing) return Framing(p, ds, kFlatLumber);
    if (o->type == objtype::kPanelSlab && front) {
        if (gActual3DObject) return BothSides(p, ThirdSet(gActual3DObject));
        return BothSides(p, Side{0, {kFullSize, kFullSize}, &kNoColor});
    }
    Side f = PointSide1(o->firstPoint), b = PointSide2(o->firstPoint);
    f.scaleField = &o->textureScales[0].x;
    b.scaleField = &o->textureScales[1].x;
    if (o->type == objtype::kRoofPiece35 && gBase2DObject) {
        f.texture = gBase2DObject->texture3;
        f.textureField = &gBase2DObject->texture3;
    }
    SetFront(p, f);
    SetBack(p, b);
}

bool StandsOnItsThickness(int16_t type) {
    switch (type) {
    case buildtype::kWallOutline:
    case 49:
    case objtype::kFloor:
    case objtype::kFloorCutout:
    case 50:
    case objtype::kCabinetPart:
        return true;
    default:
        return false;
    }
}

// Both sides of a grid cell show the sides of its first corner.
void SetCellMaterials(PlaneObject* p, Poinz* p00, const DocState* ds) {
    if (ds->framingView) return Framing(p, ds, kGridLumber);
    SetFront(p, PointSide1(p00));
    SetBack(p, PointSide2(p00));
}

bool HasTangent(const Poinz* p) {
    for (int i = 0; i < 3; ++i)
        if (p->inTangent[i] != 0.0f || p->outTangent[i] != 0.0f) return true;
    return false;
}

Float3DPoint At(const Poinz* p) {
    return {p->position[0], p->position[1], p->position[2]};
}

float Distance(const Float3DPoint& a, const Float3DPoint& b) {
    return Get3DLineLength(a.floatH, a.floatV, a.floatD, b.floatH, b.floatV, b.floatD);
}

// The wall whose face a cell is: a wall itself, or the wall a generated solid belongs to.
Objex* WallOfCell(Objex* object) {
    if (object->type == objtype::kWall) return object;
    Objex* wall = object->sourceObject;
    if (object->subtype == objsubtype::kWallSolid && wall && wall->type == objtype::kWall)
        return wall;
    return nullptr;
}

const AttachmentRecord* AttachmentOf(const Objex* o) {
    return o && o->typeData.kind == TypeDataKind::Attachment ? o->typeData.attachment : nullptr;
}

int StripCount(const DocState* ds) {
    int n = kStripsWithoutBase;
    if (gBase2DObject) {
        const int16_t type = gBase2DObject->type;
        n = type == objtype::kFloor || type == objtype::kFloorCutout ? ds->curveSegments
                                                                     : ds->surfaceDetail;
    }
    if (gActual3DObject &&
        (gActual3DObject->type == objtype::kDoor || gActual3DObject->type == objtype::kWindow))
        if (const AttachmentRecord* r = AttachmentOf(gActual3DObject))
            if (r->style == kCustomDoor || r->style == kCustomWindow) n = ds->detailValueA;
    return std::clamp(n, 1, kMostStrips);
}

// A new piece for one strip of a curved cell. An opening or fitting in a wall stands on the
// base of the segment that carries it.
PlaneObject* NewStripPiece(const Objex* object) {
    PlaneObject* p = CreatePlaneObject();
    if (!p) return nullptr;
    p->pieceKind = static_cast<uint16_t>(object->type);
    if (gBase2DObject && gBase2DObject->type == objtype::kWall && gActual3DObject) {
        const int16_t t = gActual3DObject->type;
        const AttachmentRecord* r = AttachmentOf(gActual3DObject);
        if ((t == objtype::kDoor || t == objtype::kWindow || t == objtype::kComponent ||
             t == objtype::kAccessory) &&
            r && r->segmentStart)
            p->elevationOverride = r->segmentStart->baseElevation;
    }
    return p;
}

void BuildFlatCell(Poinz* p00, Poinz* p10, Poinz* p01, Poinz* p11, Objex* object,
                   const DocState* ds) {
    if (!gCurPlaneObject) {
        gCurPlaneObject = CreatePlaneObject();
        if (!gCurPlaneObject) return;
        gCurPlaneObject->pieceKind = static_cast<uint16_t>(object->type);
    }
    PlaneObject* piece = gCurPlaneObject;
    Float3DPoint a = At(p01), b = At(p11), c = At(p10), d = At(p00);
    if (Objex* wall = WallOfCell(object); wall && wall->firstPoint) {
        // The upper row stands the wall's height (and its base offset) above the lower one.
        const double rise = GetWallHeight(wall->firstPoint, 1) +
                            ConvertWorldToScreen(objfield::wall::kBaseOffset(*wall), ds, 0);
        b.floatV = c.floatV = static_cast<float>(p00->position[1] - rise);
        piece->elevationOverride = wall->firstPoint->baseElevation;
    }
    RenderMeshPlane(a, b, c, d, p00->rowPerimeter, object, p00->rowLength, p01->rowLength,
                    p11->rowLength);
    SetCellMaterials(piece, p00, ds);
    SetRepeats(piece, p00->rowPerimeter, Distance(a, b));
    if (piece->pieceKind == kStripPieceKind) piece->pieceKind = kMeshStrip;
    if (object->type == kPhotoFaceType) piece->surfaceKind = kPhotoSurface;
}

void BuildCurvedCell(Poinz* p00, Poinz* p10, Poinz* p01, Poinz* p11, uint8_t link, Objex* object,
                     const DocState* ds) {
    const int strips = StripCount(ds);
    BuildMatrixM(&MMatrix);
    BuildMatrixMT(&MTMatrix);
    EstablishSurface(&xBMatrix, &yBMatrix, &zBMatrix, &MMatrix, &MTMatrix, &mresultMatrix,
                     &xresultMatrix, &yresultMatrix, &zresultMatrix, p00, p10, p01, p11, link);
    // Along the rows first, across them second: (t, 0) runs from p00 to p01.
    auto surface = [](float t, float s) {
        Float3DPoint q;
        ComputeSurfacePoint(&xresultMatrix, &yresultMatrix, &zresultMatrix, &sMatrix, &tMatrix, t,
                            s, &q.floatH, &q.floatV, &q.floatD);
        return q;
    };
    const float step = 1.0f / static_cast<float>(strips);
    // A wall solid's cell stands as high as its segment along the cell's bottom.
    float bottom = 0;
    for (int i = 0; i < strips; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(strips);
        bottom += Distance(surface(t, 0), surface(t + step, 0));
    }
    CurvedWallCell wall(object, p00, bottom);
    if (wall.valid() && wall.dropped()) {
        if (gCurPlaneObject) DeletePlaneObject(gCurPlaneObject);
        gCurPlaneObject = nullptr;
        return;
    }
    std::vector<PlaneVertex> top;
    float along = 0;
    float start = p00->rowLength;
    for (int i = 0; i < strips; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(strips);
        Float3DPoint a = surface(t, 0), b = surface(t, 1), c = surface(t + step, 1), d = surface(t + step, 0);
        const float next = along + Distance(a, d);
        if (wall.valid()) {
            b.floatV = a.floatV - wall.rise(along);
            c.floatV = d.floatV - wall.rise(next);
            if (top.empty()) top.push_back(PlaneVertex{b.floatH, b.floatV, b.floatD});
            top.push_back(PlaneVertex{c.floatH, c.floatV, c.floatD});
        }
        PlaneObject* piece = gCurPlaneObject ? gCurPlaneObject : NewStripPiece(object);
        gCurPlaneObject = piece;
        if (!piece) return;
        RenderMeshPlane(a, b, c, d, p00->rowPerimeter, object, start, 0, 0);
        start += Distance(a, d);
        along = next;
        SetCellMaterials(piece, p00, ds);
        SetRepeats(piece, p00->rowPerimeter, Distance(a, b));
        piece->surfaceKind = kMeshStrip;
        piece->frontColor = object->fillColor;
        piece->backColor = object->penColor;
        if (wall.valid()) piece->elevationOverride = wall.baseElevation();
        SetPieceAlpha(piece, object, true);
        if (piece->planes)
            AppendPlaneObject(piece, object);
        else
            DeletePlaneObject(piece);
        gCurPlaneObject = nullptr;
    }
    wall.finish(top);
}

} // namespace

Float3DPoint PolygonNormal(const PlaneVertex* v, int32_t count) {
    Float3DPoint n;
    if (!v || count < 3) return n;
    for (int32_t i = 0; i < count; ++i) {
        const PlaneVertex &p = v[i], &q = v[(i + 1) % count];
        n.floatH += (p.V - q.V) * (p.D + q.D);
        n.floatV += (p.D - q.D) * (p.H + q.H);
        n.floatD += (p.H - q.H) * (p.V + q.V);
    }
    return n;
}

void RenderPlanarSurface(Poinz* first, int32_t count, RGBColor /*color*/, uint8_t front,
                         Objex* object) {
    const DocState* ds = CurrentDocState();
    if (!first || !object || !ds) return;
    int32_t n = count;
    PlanarPolygon outline(CreatePlanarPolygon(first, &n), n);
    if (outline.size() < 3) return;
    // The whole outline decides the facing, so corners in line anywhere leave it defined.
    Float3DPoint normal = PolygonNormal(outline.data(), outline.size());
    if (front) normal = {-normal.floatH, -normal.floatV, -normal.floatD};
    if (PlaneObject* p = gCurPlaneObject) {
        p->surfaceKind = kPlanarSurface;
        SetPlanarMaterials(p, object, front, ds);
        const FloatRect& extent = object->textureFaceRect;
        SetRepeats(p, extent.floatRight - extent.floatLeft, extent.floatBottom - extent.floatTop);
    }
    const int32_t size = outline.size();
    PlaneVertex* vertices = outline.release();
    if (StandsOnItsThickness(object->type)) {
        const float rise = ConvertWorldToScreen(objfield::face::kThickness(*object), ds, 0);
        for (int32_t i = 0; i < size; ++i)
            vertices[i].V -= rise;
    }
    AppendPlane(vertices, static_cast<uint32_t>(size), normal.floatH, normal.floatV, normal.floatD,
                gCurPlaneObject);
}

void RenderBicubicSurface(Poinz* p00, Poinz* p10, Poinz* p01, Poinz* p11, uint8_t link,
                          Objex* object) {
    const DocState* ds = CurrentDocState();
    if (!p00 || !p10 || !p01 || !p11 || !object || !ds) return;
    if (HasTangent(p00) || HasTangent(p10) || HasTangent(p01) || HasTangent(p11))
        BuildCurvedCell(p00, p10, p01, p11, link, object, ds);
    else
        BuildFlatCell(p00, p10, p01, p11, object, ds);
}

void RenderMeshPlane(const Float3DPoint& a, const Float3DPoint& b, const Float3DPoint& c,
                     const Float3DPoint& d, float perimeter, Objex* object, float lengthAtD,
                     float lengthAtA, float lengthAtB) {
    if (!object || !CurrentDocState()) return;
    const float s = perimeter == 0.0f ? 1.0f : perimeter;
    const float u = lengthAtD / s;
    const float u2 =
        lengthAtA == 0.0f && lengthAtB == 0.0f ? (lengthAtD + Distance(d, a)) / s : lengthAtA / s;
    PlaneVertex* v = nullptr;
    int32_t bytes = 0;
    const struct {
        const Float3DPoint& at;
        float u, v;
    } corners[] = {{a, u, 1.0f}, {b, u, 0.0f}, {c, u2, 0.0f}, {d, u2, 1.0f}};
    uint16_t tag = 1;
    for (const auto& k : corners)
        if (!StorePolyPoint(&v, k.at.floatH, k.at.floatV, k.at.floatD, &bytes, tag++, k.u, k.v))
            break;
    const int32_t count = v ? bytes / static_cast<int32_t>(sizeof(PlaneVertex)) : 0;
    if (count < 3) {
        DeletePlanarPolygon(v);
        return;
    }
    const Float3DPoint n = PolygonNormal(v, count);
    AppendPlane(v, static_cast<uint32_t>(count), n.floatH, n.floatV, n.floatD, gCurPlaneObject);
}

double GetWallHeight(const Poinz* point, int16_t end) {
    const DocState* ds = CurrentDocState();
    if (!point || !ds) return 0.0;
    const Objex* owner = point->owner;
    const Poinz* next = point->next;
    if (!next && owner && owner->closed && owner->firstPoint != point) next = owner->firstPoint;
    if (!next) return 0.0;
    namespace seg = objfield::wall_segment;
    const double first = ConvertWorldToScreen(seg::kFirstHeight(*point), ds, 0);
    const double second = ConvertWorldToScreen(seg::kSecondHeight(*point), ds, 0);
    const double length =
        GetLineLength(point->position[0], point->position[2], next->position[0], next->position[2]);
    const double rise = seg::kPitchA(*point) / 12.0 * length;
    const bool atStart = end == 1;
    switch (seg::kShape(*point)) {
    case 1:
    case 4:
    case 5:
    case 6:
    case 7:
    case 10:
    case 11:
        return atStart ? first : second;
    case 2:
        return atStart ? first : first + rise;
    case 3:
        return atStart ? first + rise : first;
    case 8:
    case 9:
        return atStart ? second : first;
    default:
        return first;
    }
}
