#include "render/plane_renderers.h"

#include <algorithm>
#include <new>
#include <memory>

#include "geometry/openings/working_plane.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/preferences.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "model/color_conversions.h"
#include "scene/pick_state.h"
#include "render/core/plane_material.h"
#include "model/render_state.h"
#include "files/texture_files.h"
#include "render/gl.h"
#include "render/texture_load.h"
#include "scene/plane_object.h"

namespace {

constexpr int32_t kFirstCustomTexture = 20000;
constexpr RGBColor kNoMemory{1, 1, 1};
constexpr float kTexelsPerUnit = 0.028f * 18;
constexpr uint16_t kFiller = 900;

using Coords = FaceCoords;

bool IsCustom(int32_t id) { return id >= kFirstCustomTexture; }
bool IsLineMode(int16_t mode) { return mode == rendermode::kWireframe || mode == rendermode::kLines; }
bool Same(RGBColor a, RGBColor b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

// Null when the piece is not drawn at all.
DocState* DrawableSettings(PlaneObject* p, int16_t pickFlag) {
    DocState* ds = CurrentDocState();
    if (!p || !ds || !p->object3D) return nullptr;
    if (p->pieceKind == 134 && !pickFlag) return nullptr;
    const int16_t mode = ds->renderMode;
    if ((p->pieceKind == 13 || p->pieceKind == 50) &&
        (mode == rendermode::kWireframe || mode == rendermode::kLines || mode == rendermode::kFilled))
        return nullptr;
    return ds;
}

// Binds a texture for drawing; false leaves texturing off and the face in its colour.
bool BindForDraw(int32_t id, float alphaReference) {
    if (!id || !BindGLTexture(id)) {
        glDisable(GL_TEXTURE_2D);
        return false;
    }
    const GLint filter = IsCustom(id) ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (IsCustom(id)) {
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, alphaReference);
    }
    return true;
}

void StartTexGen() {
    for (GLenum c : {GL_S, GL_T, GL_R, GL_Q}) glTexGeni(c, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    const GLfloat r[4] = {0, 0, 1, 0}, q[4] = {0, 0, 0, 1};
    glTexGenfv(GL_R, GL_OBJECT_PLANE, r);
    glTexGenfv(GL_Q, GL_OBJECT_PLANE, q);
    for (GLenum g : {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q}) glEnable(g);
}

void TexGenPlanes(int16_t axis, float kw, float kh) {
    GLfloat s[4] = {kw, 0, 0, 0}, t[4] = {0, kh, 0, 0};
    if (axis == 2) t[1] = 0, t[2] = kh;
    if (axis == 3) s[0] = 0, s[2] = kw;
    glTexGenfv(GL_S, GL_OBJECT_PLANE, s);
    glTexGenfv(GL_T, GL_OBJECT_PLANE, t);
}

void EndDraw() {
    for (GLenum g : {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q}) glDisable(g);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
}

// A texture's real size from its info file; 0 where it gives none.
void TextureSize(int32_t id, int32_t* width, int32_t* height) {
    *width = *height = 0;
    if (IsCustom(id)) LoadCustomTextureWH(id, width, height);
    else LoadTextureWH(id, width, height);
}

// Repeats per unit for a real size; 0 keeps the previous plane's factor.
void UpdateFactor(float size, float* factor) {
    if (size != 0) *factor = kTexelsPerUnit / size;
}

// The size pair a trim piece takes from its owner; the palette texture's own size for a
// window's or door's palette trim (for this draw only: the record keeps its values).
void TrimSize(const PlaneObject* p, const PlaneMaterial& m, float* width, float* height) {
    *width = *height = 1;
    const Objex* owner = p->object3D;
    const int16_t type = owner->type;
    if ((type == 16 || type == 17) && owner->typeData.attachment) {
        const AttachmentRecord* r = owner->typeData.attachment;
        const bool outside = p->pieceKind == 2 ||
                             (p->pieceKind == 3 && r->outsideCustomTrim && r->outsideTrimProfile && !r->insideCustomTrim);
        const int16_t* pair = outside ? r->outsideTrimScale : r->insideTrimScale;
        *width = pair[0], *height = pair[1];
        if (m.palette) {
            int32_t w = 0, h = 0;
            TextureSize(m.slotTexture, &w, &h);
            *width = float(w), *height = float(h);
        }
    } else if (type == 160 && owner->typeData.roofAttachment) {
        const RoofAttachmentRecord* r = owner->typeData.roofAttachment;
        const int16_t* pair = (p->pieceKind == 2 || p->pieceKind == 5) ? r->textureScale2 : r->textureScale1;
        *width = pair[0], *height = pair[1];
    }
}

struct FaceDraw {
    PlaneObject* p;
    DocState* ds;
    PlaneMaterial m;
    bool textured = false;
    bool flatWhite = false;   // render mode 11 with a stock texture, or plants in colour
    RGBColor k;               // the shaded colour
    int32_t value = 0;        // its HSV value
    const RealTimeFaceStyle* rt = nullptr;
};

void EmitVertex(const FaceDraw& d, const Plane* plane, uint32_t i, Coords coords) {
    const PlaneObject* p = d.p;
    const PlaneVertex& vx = plane->vertices[i];
    const int16_t mode = d.ds->renderMode;
    const uint8_t opacity = ClearViewOpacity(d.ds);
    const bool edges = d.rt ? (mode == rendermode::kWireframe || mode == rendermode::kClearView) : IsLineMode(mode);
    if (d.rt && (d.rt->wireColour || d.rt->passColour)) {
        if (d.rt->wireColour)
            glColor4ub(ColorByte(d.rt->lineColour.red), ColorByte(d.rt->lineColour.green),
                       ColorByte(d.rt->lineColour.blue), opacity);
        if (d.textured && coords == Coords::FromVertices) glTexCoord2f(d.m.repeatA * vx.u, d.m.repeatB * vx.v);
        glEdgeFlag(vx.flag == 0 ? GL_TRUE : GL_FALSE);
        glVertex3f(vx.H, -vx.V, vx.D);
        glEdgeFlag(GL_TRUE);
        return;
    }
    if (d.flatWhite) {
        glColor4ub(ColorByte(d.k.red), ColorByte(d.k.green), ColorByte(d.k.blue), opacity);
        glVertex3f(vx.H, -vx.V, vx.D);
        return;
    }
    RGBColor c = d.k;
    const bool continues = coords == Coords::AutoGen
                               ? (i == 2 || i == 3)
                               : ((p->pieceKind == kMeshStrip && (i == 2 || i == 3)) ||
                                  (p->surfaceKind == kMeshStrip && (i == 0 || i == 1)));
    if (!d.rt && continues && p->sourceObject && p->sourceObject == gPrevPlaneParentObject) {
        if (Same(gPrevPlaneColor, kNoMemory)) gPrevPlaneColor = d.k;
        c = gPrevPlaneColor;
    } else if (coords != Coords::AutoGen && !IsLineMode(mode) &&
               (gLiveViewOptions & liveviewoption::kGradientShading) && p->alpha >= 255) {
        const int32_t g = PlaneGradientValue(p, d.ds, d.value, vx.u, vx.v, plane->vertices[0].V, vx.V);
        c = GradientColor(d.k, d.value, g, d.ds);
    }
    uint8_t alpha = opacity;
    if (p->alpha < 255) {
        alpha = uint8_t(p->alpha);
    } else if (p->pieceKind == kFiller) {
        if (mode == rendermode::kFilled) c = ClearViewLineColor(), alpha = 128;
        else c = {}, alpha = 0;
    }
    glColor4ub(ColorByte(c.red), ColorByte(c.green), ColorByte(c.blue), alpha);
    if (d.textured && coords == Coords::FromVertices) glTexCoord2f(d.m.repeatA * vx.u, d.m.repeatB * vx.v);
    if (edges) glEdgeFlag(vx.flag == 0 ? GL_TRUE : GL_FALSE);
    glVertex3f(vx.H, -vx.V, vx.D);
    if (edges) glEdgeFlag(GL_TRUE);
}

void RememberColour(const FaceDraw& d) {
    const PlaneObject* p = d.p;
    if (p->pieceKind == 132 || p->pieceKind == 63 || p->pieceKind == 64) return;
    if (p->surfaceKind == kMeshStrip || p->pieceKind == kMeshStrip) {
        gPrevPlaneParentObject = p->sourceObject;
        gPrevPlaneColor = d.k;
    } else {
        gPrevPlaneColor = kNoMemory;
    }
}

// Real-time frames bind only textures some frame already loaded, unless picking.
bool BindRealTime(int32_t id, const RealTimeFaceStyle& rt, float alphaReference) {
    if (!id || (!gGLPickMode && !glIsTexture(GLuint(id))) || !BindGLTexture(id)) {
        glDisable(GL_TEXTURE_2D);
        return false;
    }
    const GLint filter = IsCustom(id) || rt.nearest ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, rt.replace ? GL_REPLACE : GL_MODULATE);
    if (IsCustom(id)) {
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, alphaReference);
    }
    return true;
}

}  // namespace

void DrawPlaneFace(PlaneObject* p, DocState* ds, FaceCoords coords, const RealTimeFaceStyle* rt) {
    FaceDraw d{p, ds, ResolvePlaneMaterial(p, ds), false, false, {}, 0, rt};
    const int16_t mode = ds->renderMode;
    d.flatWhite = (mode == rendermode::kNoColour && d.m.slotTexture && !IsCustom(d.m.slotTexture)) ||
                  gRenderPlantsInColor;
    const Plane* first = p->planes;
    const float nx = first ? first->nx : 1, ny = first ? first->ny : 1, nz = first ? first->nz : 1;
    const bool shade = !(mode == rendermode::kWireframe || mode == rendermode::kLines || mode == rendermode::kFilled ||
                         gRenderPlantsInColor || (coords == Coords::AutoGen && mode == rendermode::kNoColour));
    d.k = d.m.color;
    if (shade) {
        // Real-time trims keep their plain brightness.
        const uint8_t trims = gAdjustTrimLightIntensity;
        if (rt) gAdjustTrimLightIntensity = 0;
        d.k = ShadePlaneColor(d.m.color, nx, ny, nz, p->pieceKind, ds, &d.value);
        gAdjustTrimLightIntensity = trims;
    } else {
        uint16_t hsv[3];
        RGBtoHSV(&d.k, hsv);
        d.value = hsv[2];
    }
    const float alphaReference = coords == Coords::Trim ? 0.5f : (p->alpha < 255 ? 0.01f : 0.5f);
    if (rt) {
        int32_t id = d.m.textureID;
        if (mode == rendermode::kWireframe || mode == rendermode::kClearView) id = gTexturedWire ? d.m.slotTexture : 0;
        if (!rt->textures) id = 0;
        d.m.textureID = id;
        d.textured = BindRealTime(id, *rt, alphaReference);
    } else {
        d.textured = BindForDraw(d.m.textureID, alphaReference);
    }

    // Generated coordinates: the real size of the texture, measured over the root's bounds
    // where the info file leaves it open (-1).
    float width = 0, height = 0;
    Float3DRect bounds{32000, 32000, 32000, -32000, -32000, -32000};
    bool measure = false;
    if (d.textured && coords != Coords::FromVertices) {
        StartTexGen();
        if (coords == Coords::Trim) {
            TrimSize(p, d.m, &width, &height);
        } else {
            int32_t w = 0, h = 0;
            TextureSize(d.m.textureID, &w, &h);
            width = float(w), height = float(h);
            if (w == -1 || h == -1) {
                measure = true;
                if (Objex* root = GetRootObject(p->object3D)) GetObject3DBounds(root, 0, &bounds, 0);
            }
        }
    }
    float kw = 0, kh = 0;
    for (const Plane* plane = p->planes; plane; plane = plane->next) {
        if (d.textured && coords != Coords::FromVertices) {
            int16_t axis = DetermineWorkingPlane(plane->vertices, int32_t(plane->count));
            if (coords == Coords::Trim && p->object3D->type == 160 && (p->pieceKind == 1 || p->pieceKind == 2))
                axis = 2;
            float w = width, h = height;
            if (measure) {
                const float first = bounds.floatBottom - bounds.floatTop, second = bounds.floatRight - bounds.floatLeft,
                            third = bounds.floatFront - bounds.floatBack;
                const float wExtent = axis == 3 ? third : second, hExtent = axis == 2 ? third : first;
                if (w == -1) w = ConvertScreenToWorld(wExtent, ds, 0);
                if (h == -1) h = ConvertScreenToWorld(hExtent, ds, 0);
            }
            UpdateFactor(w, &kw);
            UpdateFactor(h, &kh);
            TexGenPlanes(axis, kw, kh);
        }
        if (rt) {
            glBegin(plane->count == 3 ? GL_TRIANGLES : plane->count == 4 ? GL_QUADS : GL_POLYGON);
        } else {
            glBegin(GL_POLYGON);
            glNormal3f(plane->nx, plane->ny, plane->nz);
        }
        for (uint32_t i = 0; i < plane->count; ++i) EmitVertex(d, plane, i, coords);
        glEnd();
    }
    if (!rt) RememberColour(d);
    // An untextured real-time face enabled nothing; its list stays short.
    if (!rt || d.textured) EndDraw();
}

namespace {
void DrawFace(PlaneObject* p, DocState* ds, Coords coords) { DrawPlaneFace(p, ds, coords, nullptr); }
}  // namespace

void RenderGLPlaneObject(PlaneObject* object, int16_t pickFlag) {
    DocState* ds = DrawableSettings(object, pickFlag);
    if (!ds) return;
    if (object->baseObject && object->baseObject->type == 10 &&
        object->baseObject->subtype == objfield::grid_surface::kSubtype) {
        RenderGLGridPlaneObject(object);
        return;
    }
    DrawFace(object, ds, Coords::FromVertices);
}

void RenderGLAutoGenPlaneObject(PlaneObject* object, int16_t pickFlag) {
    if (DocState* ds = DrawableSettings(object, pickFlag)) DrawFace(object, ds, Coords::AutoGen);
}

void RenderGLTrimPlaneObject(PlaneObject* object, int16_t pickFlag) {
    if (DocState* ds = DrawableSettings(object, pickFlag)) DrawFace(object, ds, Coords::Trim);
}

void RenderGLGridPlaneObject(PlaneObject* object) {
    DocState* ds = CurrentDocState();
    if (!object || !ds) return;
    Objex* grid = object->baseObject;
    if (!grid || grid->type != 10 || grid->subtype != objfield::grid_surface::kSubtype) return;
    const int32_t columns = objfield::grid_surface::kColumns(*grid), rows = objfield::grid_surface::kRows(*grid);
    if (columns < 1 || rows < 1) return;
    const float cellWidth = objfield::grid_surface::kCellWidth(*grid), cellDepth = objfield::grid_surface::kCellDepth(*grid);
    const PlaneMaterial m = ResolvePlaneMaterial(object, ds);
    const int16_t mode = ds->renderMode;
    const bool flat = mode == rendermode::kNoColour || gRenderPlantsInColor;
    const bool textured = BindForDraw(m.textureID, 0.5f);
    float width = 1, height = 1;
    if (textured) {
        int32_t w = 0, h = 0;
        TextureSize(m.textureID, &w, &h);
        if (w > 0) width = float(w);
        if (h > 0) height = float(h);
        StartTexGen();
    }
    const size_t stride = size_t(columns) + 1, points = stride * (size_t(rows) + 1);
    std::unique_ptr<RGBColor[]> colors(new (std::nothrow) RGBColor[points]());
    if (!colors) {
        EndDraw();
        return;
    }
    if (!(mode == rendermode::kWireframe || flat)) {
        PlaneMaterialSlot slot = MaterialSlotOf(object);
        SetUpGridPlaneShadingAndTextureList(colors.get(), m.color, m.textureID, int16_t(slot.size[0]),
                                            int16_t(slot.size[1]), columns * cellWidth, rows * cellDepth, columns,
                                            rows, cellWidth, cellDepth, grid);
    }
    auto factor = [](float s, float previous) {
        if (s > 0 && s < 19) return s / 18;
        if (s > 18) return 18 / s;
        return previous;
    };
    const uint8_t opacity = ClearViewOpacity(ds);
    float fw = 0, fh = 0;
    int64_t cell = 0;
    const int64_t cells = int64_t(columns) * rows;
    for (const Plane* plane = object->planes; plane && cell <= cells; plane = plane->next, ++cell) {
        if (plane->count != 4) continue;
        if (textured) {
            fw = factor(width, fw), fh = factor(height, fh);
            TexGenPlanes(DetermineWorkingPlane(plane->vertices, 4), fw * 0.028f, fh * 0.028f);
        }
        const int64_t r = std::min<int64_t>(cell / columns, rows - 1), c = cell % columns;
        const int64_t up = r > 0 ? r - 1 : r, left = c > 0 ? c - 1 : c;
        const int64_t corners[4][2] = {{up, c}, {r, c}, {r, left}, {up, left}};
        glBegin(GL_POLYGON);
        glNormal3f(plane->nx, plane->ny, plane->nz);
        for (uint32_t i = 0; i < 4; ++i) {
            const RGBColor col = flat ? m.color : colors[size_t(corners[i][0]) * stride + size_t(corners[i][1])];
            glColor4ub(ColorByte(col.red), ColorByte(col.green), ColorByte(col.blue), opacity);
            if (!flat && IsLineMode(mode)) glEdgeFlag(GL_TRUE);
            const PlaneVertex& vx = plane->vertices[i];
            glVertex3f(vx.H, -vx.V, vx.D);
        }
        glEnd();
    }
    EndDraw();
}
