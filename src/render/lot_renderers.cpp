#include "render/lot_renderers.h"

#include <GL/glu.h>

#include <memory>
#include <new>
#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/projection.h"
#include "render/core/jitter.h"
#include "render/core/live_view_host.h"
#include "render/core/live_view_seams.h"
#include "render/core/lot_surface.h"
#include "render/core/plane_material.h"
#include "model/render_state.h"
#include "render/core/topo_cutouts.h"
#include "render/gl.h"
#include "render/texture_load.h"
#include "scene/plane_object.h"
#include "scene/scene_camera.h"
#include "scene/terrain.h"

namespace {

constexpr int32_t kFirstCustomTexture = 20000;
constexpr float kBaseDepth = -5000.0f;
constexpr float kSkirtDepth = -5005.0f;
constexpr GLubyte kSoil[3] = {72, 56, 0};

bool BindLotTexture(int32_t id) {
    if (id <= 0 || !BindGLTexture(id)) {
        glDisable(GL_TEXTURE_2D);
        return false;
    }
    const bool custom = id >= kFirstCustomTexture;
    const GLint filter = custom ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (custom) {
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.5f);
    }
    return true;
}

void TextureOff() {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
}

void Color(RGBColor c, GLubyte alpha) { glColor4ub(ColorByte(c.red), ColorByte(c.green), ColorByte(c.blue), alpha); }

void Rgba(RGBColor c, float alpha, float* out) {
    out[0] = c.red / 65535.0f, out[1] = c.green / 65535.0f, out[2] = c.blue / 65535.0f, out[3] = alpha;
}

// The cut-out flags hold for one surface: cleared again on every way out.
class CutoutSelection {
public:
    CutoutSelection() { FindIntersectingTopoCutouts(); }
    ~CutoutSelection() { ResetIntersectingFlags(); }
    CutoutSelection(const CutoutSelection&) = delete;
    CutoutSelection& operator=(const CutoutSelection&) = delete;
};

// Colour writes stay off for the plants-in-colour pass and come back as they were.
class GroundColorMask {
public:
    GroundColorMask() {
        if (!gRenderPlantsInColor) return;
        glGetBooleanv(GL_COLOR_WRITEMASK, saved_);
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        active_ = true;
    }
    ~GroundColorMask() {
        if (active_) glColorMask(saved_[0], saved_[1], saved_[2], saved_[3]);
    }
    GroundColorMask(const GroundColorMask&) = delete;
    GroundColorMask& operator=(const GroundColorMask&) = delete;

private:
    GLboolean saved_[4] = {GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};
    bool active_ = false;
};

struct NurbsRenderer {
    GLUnurbs* nurbs = gluNewNurbsRenderer();
    explicit NurbsRenderer(bool outline) {
        if (!nurbs) return;
        gluNurbsProperty(nurbs, GLU_DISPLAY_MODE, outline ? GLU_OUTLINE_PATCH : GLU_FILL);
        gluNurbsProperty(nurbs, GLU_SAMPLING_METHOD, GLU_DOMAIN_DISTANCE);
        gluNurbsProperty(nurbs, GLU_U_STEP, 0.1f);
        gluNurbsProperty(nurbs, GLU_V_STEP, 0.1f);
    }
    ~NurbsRenderer() {
        if (nurbs) gluDeleteNurbsRenderer(nurbs);
    }
    NurbsRenderer(const NurbsRenderer&) = delete;
    NurbsRenderer& operator=(const NurbsRenderer&) = delete;
};

// One bilinear trimmed patch: corners indexed [s][t] (s along x, t from the near to the far
// edge), colours and texture coordinates only when given.
void Trims(GLUnurbs* nurbs, const std::vector<const Objex*>& outlines, const NurbPatch& patch) {
    std::vector<std::vector<float>> holes;
    for (const Objex* o : outlines) {
        std::vector<float> curve = PWLTrimCurve(o, patch);
        if (!curve.empty()) holes.push_back(std::move(curve));
    }
    std::vector<float> outer = OuterTrimCurve(holes);
    gluBeginTrim(nurbs);
    gluPwlCurve(nurbs, GLint(outer.size() / 2), outer.data(), 2, GLU_MAP1_TRIM_2);
    gluEndTrim(nurbs);
    for (std::vector<float>& h : holes) {
        gluBeginTrim(nurbs);
        gluPwlCurve(nurbs, GLint(h.size() / 2), h.data(), 2, GLU_MAP1_TRIM_2);
        gluEndTrim(nurbs);
    }
}

void TrimmedPatch(GLUnurbs* nurbs, const std::vector<Objex*>& cutouts, const NurbPatch& patch,
                  GLfloat vertices[2][2][3], GLfloat colors[2][2][4], GLfloat texture[2][2][2]) {
    GLfloat knots[4] = {0, 0, 1, 1};
    gluBeginSurface(nurbs);
    if (colors) gluNurbsSurface(nurbs, 4, knots, 4, knots, 2 * 4, 4, &colors[0][0][0], 2, 2, GL_MAP2_COLOR_4);
    if (texture)
        gluNurbsSurface(nurbs, 4, knots, 4, knots, 2 * 2, 2, &texture[0][0][0], 2, 2, GL_MAP2_TEXTURE_COORD_2);
    gluNurbsSurface(nurbs, 4, knots, 4, knots, 2 * 3, 3, &vertices[0][0][0], 2, 2, GL_MAP2_VERTEX_3);
    Trims(nurbs, PatchTrimOutlines(cutouts, patch), patch);
    gluEndSurface(nurbs);
}

bool InMode(int16_t mode, std::initializer_list<int16_t> modes) {
    for (int16_t m : modes)
        if (mode == m) return true;
    return false;
}

void Quad(float x0, float y0, float z0, float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
          float z3) {
    glBegin(GL_POLYGON);
    glVertex3f(x0, y0, z0);
    glVertex3f(x1, y1, z1);
    glVertex3f(x2, y2, z2);
    glVertex3f(x3, y3, z3);
    glEnd();
}

}  // namespace

void RenderPWLCurves(GLUnurbs* nurbs, const NurbPatch& patch) {
    if (nurbs) Trims(nurbs, PatchTrimOutlines(patch), patch);
}

void RenderPWLCurve(GLUnurbs* nurbs, const Objex* object, const NurbPatch& patch) {
    if (!nurbs || !IsObjectPWLCompatible(object)) return;
    std::vector<float> curve = PWLTrimCurve(object, patch);
    if (curve.empty()) return;
    gluBeginTrim(nurbs);
    gluPwlCurve(nurbs, GLint(curve.size() / 2), curve.data(), 2, GLU_MAP1_TRIM_2);
    gluEndTrim(nurbs);
}

void RenderGLBackground(bool jitter, int32_t pass) {
    if (!LiveViewControllerExists() || gRenderPlantsInColor) return;
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    float w = float(viewport[2]), h = float(viewport[3]);
    if (LiveViewHost* host = CurrentLiveViewHost()) {
        const FloatRect b = host->liveViewOGLViewBounds();
        w = b.floatRight - b.floatLeft, h = b.floatBottom - b.floatTop;
    }
    const BackdropQuad q = BackdropExtents(w, h);
    const bool textured = BindLotTexture(BackdropTexture(ds));
    const RGBColor c = BackdropColor(ds);

    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-100, 100, -100, 100, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    if (jitter && viewport[2] > 0 && viewport[3] > 0) {
        // Counts without a table of their own take the platform's evenly spread offsets.
        const JitterPoint j = JitterOffset(ds->lightSetting, pass);
        glTranslatef(float(j.x * 200.0 / viewport[2]), float(j.y * 200.0 / viewport[3]), 0);
    }
    Color(c, 255);
    glBegin(GL_POLYGON);
    if (textured) glTexCoord2f(gBackgroundVertices[0], 1);
    glVertex2f(q.left, q.top);
    if (textured) glTexCoord2f(gBackgroundVertices[1], 1);
    glVertex2f(q.right, q.top);
    if (textured) glTexCoord2f(gBackgroundVertices[2], 0);
    glVertex2f(q.right, q.bottom);
    if (textured) glTexCoord2f(gBackgroundVertices[3], 0);
    glVertex2f(q.left, q.bottom);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
    TextureOff();
}

void RenderGLLot() {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    const LotGrid grid = CurrentLotGrid(ds);
    if ((ds->renderValue & hideflag::kTopography) || !grid.valid() || !TopoInUse() || IsTopoGridZeroFlat()) {
        RenderGLFlatLot();
        return;
    }
    const int16_t mode = ds->renderMode;
    GroundColorMask mask;
    CutoutSelection selection;
    const std::vector<Objex*> cutouts = UsableTopoCutouts();
    std::unique_ptr<RGBColor[]> carried(new (std::nothrow) RGBColor[size_t(grid.columns) + 1]);
    if (!carried) return;
    NurbsRenderer renderer(InMode(mode, {rendermode::kWireframe, rendermode::kLines}));
    if (!renderer.nurbs) return;

    const bool textured = BindLotTexture(LotTexture(ds));
    const RGBColor a = LotGroundColors(ds, textured).nearColor;
    float repeatH = 1, repeatV = 1;
    if (textured) LotTextureRepeat(ds, LotTexture(ds), &repeatH, &repeatV);
    const FloatRect& lot = ds->lotRect;
    const float stepH = repeatH / ((lot.floatRight - lot.floatLeft) / grid.spacing);
    const float stepV = repeatV / ((lot.floatBottom - lot.floatTop) / grid.spacing);
    const GLubyte alpha = ClearViewOpacity(ds);
    const bool nets = !InMode(mode, {rendermode::kWireframe, rendermode::kClearView});

    for (int32_t r = 0; r < grid.rows; ++r) {
        for (int32_t c = 0; c < grid.columns; ++c) {
            const float xa = grid.xa(c), xb = grid.xa(c + 1), ya = grid.ya(r), yb = grid.ya(r + 1);
            const float h00 = LotHeightAt(xa, ya), h10 = LotHeightAt(xb, ya), h11 = LotHeightAt(xb, yb),
                        h01 = LotHeightAt(xa, yb);
            float pa = 0, pb = 0, pc = 0, pd = 0;
            CalcParametric(xa, h00, ya, xb, h10, ya, xb, h11, yb, &pa, &pb, &pc, &pd);
            const RGBColor k = ShadeLotCell(a, pa, pb, pc, ds);
            const RGBColor nearColor = r == 0 ? k : carried[size_t(c)];
            carried[size_t(c)] = k;

            const NurbPatch patch{xa, xb, ya, yb};
            bool whole = false;
            const bool touches = DoesNurbPatchTouchCutouts(cutouts, patch, &whole);
            if (whole) continue;
            const float s0 = stepH * float(c), s1 = stepH * float(c + 1);
            const float t0 = stepV * float(r), t1 = stepV * float(r + 1);
            if (!touches) {
                glBegin(GL_POLYGON);
                Color(nearColor, alpha);
                if (textured) glTexCoord2f(s0, t0);
                glVertex3f(xa, h00, ya);
                if (textured) glTexCoord2f(s1, t0);
                glVertex3f(xb, h10, ya);
                Color(k, alpha);
                if (textured) glTexCoord2f(s1, t1);
                glVertex3f(xb, h11, yb);
                if (textured) glTexCoord2f(s0, t1);
                glVertex3f(xa, h01, yb);
                glEnd();
                continue;
            }
            GLfloat vertices[2][2][3] = {{{xa, h00, ya}, {xa, h01, yb}}, {{xb, h10, ya}, {xb, h11, yb}}};
            GLfloat colors[2][2][4];
            Rgba(nearColor, alpha / 255.0f, colors[0][0]);
            Rgba(k, alpha / 255.0f, colors[0][1]);
            Rgba(nearColor, alpha / 255.0f, colors[1][0]);
            Rgba(k, alpha / 255.0f, colors[1][1]);
            GLfloat texture[2][2][2] = {{{s0, t0}, {s0, t1}}, {{s1, t0}, {s1, t1}}};
            if (!nets) Color(k, alpha);
            TrimmedPatch(renderer.nurbs, cutouts, patch, vertices, nets ? colors : nullptr,
                         nets && textured ? texture : nullptr);
        }
    }
    TextureOff();
}

void RenderGLFlatLot() {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    const int16_t mode = ds->renderMode;
    GroundColorMask mask;
    const int32_t textureID = LotTexture(ds);
    const bool textured = BindLotTexture(textureID);
    float sH = 1, sV = 1;
    if (textured) LotTextureRepeat(ds, textureID, &sH, &sV);
    const LotColors colors = LotGroundColors(ds, textured);
    const GLubyte alpha = ClearViewOpacity(ds);
    const FloatRect& lot = ds->lotRect;
    const float left = lot.floatLeft, right = lot.floatRight, top = lot.floatTop, bottom = lot.floatBottom;

    if (!(ds->renderValue & hideflag::kTopography) && !InMode(mode, {rendermode::kWireframe, rendermode::kLines})) {
        CutoutSelection selection;
        NurbsRenderer renderer(false);
        if (renderer.nurbs) {
            // A near the bottom edge, B far at the top, as the polygon form runs.
            GLfloat vertices[2][2][3] = {{{left, 0, top}, {left, 0, bottom}}, {{right, 0, top}, {right, 0, bottom}}};
            GLfloat net[2][2][4];
            Rgba(colors.farColor, alpha / 255.0f, net[0][0]);
            Rgba(colors.nearColor, alpha / 255.0f, net[0][1]);
            Rgba(colors.farColor, alpha / 255.0f, net[1][0]);
            Rgba(colors.nearColor, alpha / 255.0f, net[1][1]);
            GLfloat texture[2][2][2] = {{{0, 0}, {0, sV}}, {{sH, 0}, {sH, sV}}};
            TrimmedPatch(renderer.nurbs, UsableTopoCutouts(), NurbPatch{left, right, top, bottom}, vertices, net,
                         textured ? texture : nullptr);
        }
        TextureOff();
        return;
    }
    glBegin(GL_POLYGON);
    Color(colors.nearColor, alpha);
    if (textured) glTexCoord2f(0, sV);
    glVertex3f(left, 0, bottom);
    if (textured) glTexCoord2f(sH, sV);
    glVertex3f(right, 0, bottom);
    Color(colors.farColor, alpha);
    if (textured) glTexCoord2f(sH, 0);
    glVertex3f(right, 0, top);
    if (textured) glTexCoord2f(0, 0);
    glVertex3f(left, 0, top);
    glEnd();
    TextureOff();
}

void RenderGLLotBase() {
    const DocState* ds = CurrentDocState();
    if (!ds || gRenderPlantsInColor || (ds->renderValue & hideflag::kTopography)) return;
    if (InMode(ds->renderMode, {rendermode::kWireframe, rendermode::kLines, rendermode::kFilled, rendermode::kNoColour}))
        return;
    TextureOff();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_DITHER);
    glColor3ubv(kSoil);
    const FloatRect& lot = ds->lotRect;
    const float left = lot.floatLeft, right = lot.floatRight, top = lot.floatTop, bottom = lot.floatBottom;
    Quad(left, kBaseDepth, top, right, kBaseDepth, top, right, kBaseDepth, bottom, left, kBaseDepth, bottom);
    const LotGrid g = CurrentLotGrid(ds);
    if (!g.valid() || !TopoInUse()) {
        Quad(left, 0, bottom, right, 0, bottom, right, kBaseDepth, bottom, left, kBaseDepth, bottom);
        Quad(left, 0, top, right, 0, top, right, kBaseDepth, top, left, kBaseDepth, top);
        Quad(left, 0, top, left, 0, bottom, left, kBaseDepth, bottom, left, kBaseDepth, top);
        Quad(right, 0, top, right, 0, bottom, right, kBaseDepth, bottom, right, kBaseDepth, top);
    } else {
        // One skirt piece per cell along the front and back rows and the outer columns.
        for (int32_t c = 0; c < g.columns; ++c) {
            const float xa = g.xa(c), xb = g.xa(c + 1);
            for (const float z : {g.ya(0), g.ya(g.rows)})
                Quad(xa, LotHeightAt(xa, z), z, xb, LotHeightAt(xb, z), z, xb, kSkirtDepth, z, xa, kSkirtDepth, z);
        }
        for (int32_t r = 0; r < g.rows; ++r) {
            const float za = g.ya(r), zb = g.ya(r + 1);
            for (const float x : {g.xa(0), g.xa(g.columns)})
                Quad(x, LotHeightAt(x, za), za, x, LotHeightAt(x, zb), zb, x, kSkirtDepth, zb, x, kSkirtDepth, za);
        }
    }
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_DITHER);
}

