#include "render/rt_lot_renderers.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/projection.h"
#include "port/seam.h"
#include "model/color_conversions.h"
#include "render/core/live_view_host.h"
#include "render/core/live_view_seams.h"
#include "render/core/lot_surface.h"
#include "scene/pick_state.h"
#include "render/core/plane_material.h"
#include "render/core/real_time_quality.h"
#include "model/render_state.h"
#include "render/gl.h"
#include "render/rt_display_lists.h"
#include "render/texture_load.h"
#include "scene/scene_camera.h"
#include "scene/terrain.h"
#include "model/topo_grid.h"

float gBackgroundWidth = 100;
float gBackgroundHeight = 100;
int32_t gBackgroundTextureID = 0;
uint8_t gBackgroundRed = 0;
uint8_t gBackgroundGreen = 0;
uint8_t gBackgroundBlue = 0;

namespace {

constexpr int32_t kFirstCustomTexture = 20000;
constexpr float kBaseDepth = -5000.0f;
constexpr GLubyte kSoil[3] = {72, 56, 0};

RGBColor* NewColours(size_t n) { return new (std::nothrow) RGBColor[n](); }
LotColourAllocator gAllocateColours = NewColours;

bool InMode(int16_t mode, std::initializer_list<int16_t> modes) {
    return std::find(modes.begin(), modes.end(), mode) != modes.end();
}
bool LineOrFillMode(int16_t mode) {
    return InMode(mode, {rendermode::kWireframe, rendermode::kLines, rendermode::kFilled, rendermode::kClearView});
}
void DepthTest(const DocState& ds) {
    if (ds.renderMode == rendermode::kWireframe) glDisable(GL_DEPTH_TEST);
    else glEnable(GL_DEPTH_TEST);
}

// Binds a texture some full frame loaded (any while picking) with the speed's filter and
// environment; false draws untextured.
bool BindRealTime(int32_t id, const RealTimeQuality& q, bool forceNearest) {
    if (id <= 0 || (!gGLPickMode && !glIsTexture(GLuint(id))) || !BindGLTexture(id)) {
        glDisable(GL_TEXTURE_2D);
        return false;
    }
    const bool custom = id >= kFirstCustomTexture;
    const GLint filter = custom || forceNearest || q.nearest ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, q.replace ? GL_REPLACE : GL_MODULATE);
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

void Colour(RGBColor c, GLubyte alpha) { glColor4ub(ColorByte(c.red), ColorByte(c.green), ColorByte(c.blue), alpha); }

RGBColor WithValue(RGBColor c, double value) {
    uint16_t hsv[3];
    RGBtoHSV(&c, hsv);
    hsv[2] = uint16_t(std::clamp(value, 0.0, 65535.0));
    HSVtoRGB(hsv, &c);
    return c;
}

// The lot's texture in a real-time frame: none at the fast speeds.
int32_t RealTimeLotTexture(const DocState& ds, const RealTimeQuality& q) {
    return q.lotTexture ? LotTexture(&ds) : 0;
}

void Quad(const float v[4][3]) {
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) glVertex3fv(v[i]);
    glEnd();
}

// False when the colours could not be had: the caller abandons the list.
bool TerrainGrid(const DocState& ds, const LotGrid& g) {
    const RealTimeQuality q = QualityAtSpeed(ds.navigationSpeed);
    const bool plain = LineOrFillMode(ds.renderMode);
    bool textured = false;
    float du = 0, dv = 0;
    if (!plain) {
        const int32_t id = RealTimeLotTexture(ds, q);
        textured = BindRealTime(id, q, false);
        if (textured) {
            const FloatRect& lot = ds.lotRect;
            float su = 1, sv = 1;
            LotTextureRepeat(&ds, id, &su, &sv);
            const float nx = std::trunc(std::trunc(lot.floatRight - lot.floatLeft) / g.spacing);
            const float nz = std::trunc(std::trunc(lot.floatBottom - lot.floatTop) / g.spacing);
            du = nx > 0 ? su / nx : su, dv = nz > 0 ? sv / nz : sv;
        }
    }
    const RGBColor base = q.lotTexture ? LotBaseColor(&ds) : kFastLotColour;
    const GLubyte alpha = ClearViewOpacity(&ds);
    // One entry per column: a cell's near corners take the colours of the cell before it.
    std::unique_ptr<RGBColor[]> carried(plain ? nullptr : gAllocateColours(size_t(g.columns) + 1));
    if (!plain && !carried) {
        TextureOff();
        return false;
    }
    for (int32_t r = 0; r < g.rows; ++r) {
        for (int32_t c = 0; c < g.columns; ++c) {
            const float xa = g.xa(c), xb = g.xa(c + 1), za = g.ya(r), zb = g.ya(r + 1);
            const float h00 = LotHeightAt(xa, za), h10 = LotHeightAt(xb, za), h11 = LotHeightAt(xb, zb),
                        h01 = LotHeightAt(xa, zb);
            glBegin(GL_QUADS);
            if (!plain) {
                float a = 0, b = 0, cc = 0, d = 0;
                CalcParametric(xa, h00, za, xb, h10, za, xa, h01, zb, &a, &b, &cc, &d);
                const RGBColor k = ShadeLotCell(base, a, b, cc, &ds);
                const RGBColor nearColour = r == 0 ? k : carried[size_t(c)];
                carried[size_t(c)] = k;
                Colour(nearColour, alpha);
                if (textured) glTexCoord2f(du * c, dv * r);
                glVertex3f(xa, h00, za);
                if (textured) glTexCoord2f(du * (c + 1), dv * r);
                glVertex3f(xb, h10, za);
                Colour(k, alpha);
                if (textured) glTexCoord2f(du * (c + 1), dv * (r + 1));
                glVertex3f(xb, h11, zb);
                if (textured) glTexCoord2f(du * c, dv * (r + 1));
                glVertex3f(xa, h01, zb);
            } else {
                glVertex3f(xa, h00, za);
                glVertex3f(xb, h10, za);
                glVertex3f(xb, h11, zb);
                glVertex3f(xa, h01, zb);
            }
            glEnd();
        }
    }
    TextureOff();
    return true;
}

}  // namespace

static const port::GlobalReset kReset([] {
    gBackgroundWidth = gBackgroundHeight = 100;
    gBackgroundTextureID = 0;
    gBackgroundRed = gBackgroundGreen = gBackgroundBlue = 0;
    gAllocateColours = NewColours;
});

void SetLotColourAllocatorForTesting(LotColourAllocator allocator) {
    gAllocateColours = allocator ? allocator : NewColours;
}

void RTRenderGLLot() {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    DepthTest(*ds);
    const bool shown = !(ds->renderValue & hideflag::kTopography);
    const bool terrain = (ds->topoFilePath[0] && shown && ds->navigationSpeed <= 9) || TopoInUse();
    const LotGrid g = CurrentLotGrid(ds);
    if (!terrain || !g.valid() || IsTopoGridZeroFlat()) {
        if (!terrain && ds->renderMode == rendermode::kFilled && shown) return;
        RTRenderGLFlatLot();
        return;
    }
    if (!BeginDisplayList(gLotDisplayList)) return;
    if (!TerrainGrid(*ds, g)) {
        AbandonDisplayList(gLotDisplayList);
        return;
    }
    EndDisplayList(gLotDisplayList);
}

void RTRenderGLFlatLot() {
    const DocState* ds = CurrentDocState();
    if (!ds || !BeginDisplayList(gFlatLotDisplayList)) return;
    const RealTimeQuality q = QualityAtSpeed(ds->navigationSpeed);
    const bool plain = InMode(ds->renderMode, {rendermode::kWireframe, rendermode::kLines, rendermode::kFilled});
    bool textured = false;
    float tu = 1, tv = 1;
    if (!plain) {
        const int32_t id = RealTimeLotTexture(*ds, q);
        textured = BindRealTime(id, q, false);
        if (textured) LotTextureRepeat(ds, id, &tu, &tv);
        const RGBColor colour = q.lotTexture ? WithValue(LotBaseColor(ds), LightBrightnessStep(ds) * 65535.0)
                                             : kFastLotColour;
        Colour(colour, ClearViewOpacity(ds));
    }
    // Under everything else, unless picking or drawing at the slowest speed.
    const bool under = !gGLPickMode && !q.fullLot;
    if (under) glDisable(GL_DEPTH_TEST);
    const FloatRect& lot = ds->lotRect;
    glBegin(GL_QUADS);
    if (textured) glTexCoord2f(0, tv);
    glVertex3f(lot.floatLeft, 0, lot.floatBottom);
    if (textured) glTexCoord2f(tu, tv);
    glVertex3f(lot.floatRight, 0, lot.floatBottom);
    if (textured) glTexCoord2f(tu, 0);
    glVertex3f(lot.floatRight, 0, lot.floatTop);
    if (textured) glTexCoord2f(0, 0);
    glVertex3f(lot.floatLeft, 0, lot.floatTop);
    glEnd();
    if (under) DepthTest(*ds);
    TextureOff();
    EndDisplayList(gFlatLotDisplayList);
}

void RTRenderGLLotBase() {
    const DocState* ds = CurrentDocState();
    if (!ds || (ds->renderValue & hideflag::kTopography)) return;
    if (InMode(ds->renderMode, {rendermode::kWireframe, rendermode::kLines, rendermode::kFilled})) return;
    if (!BeginDisplayList(gBaseLotDisplayList)) return;
    TextureOff();
    DepthTest(*ds);
    glDisable(GL_DITHER);
    glColor3ubv(kSoil);
    const FloatRect& lot = ds->lotRect;
    const float l = lot.floatLeft, r = lot.floatRight, t = lot.floatTop, b = lot.floatBottom, z = kBaseDepth;
    const float bottom[4][3] = {{l, z, b}, {r, z, b}, {r, z, t}, {l, z, t}};
    Quad(bottom);
    const LotGrid g = CurrentLotGrid(ds);
    if (TopoInUse() && g.valid()) {
        const float z0 = g.ya(0), z1 = g.ya(g.rows), x0 = g.xa(0), x1 = g.xa(g.columns);
        const float front[4][3] = {{x0, LotHeightAt(x0, z0), z0}, {x1, LotHeightAt(x1, z0), z0}, {x1, z, z0}, {x0, z, z0}};
        const float back[4][3] = {{x0, LotHeightAt(x0, z1), z1}, {x1, LotHeightAt(x1, z1), z1}, {x1, z, z1}, {x0, z, z1}};
        const float left[4][3] = {{x0, LotHeightAt(x0, z0), z0}, {x0, LotHeightAt(x0, z1), z1}, {x0, z, z1}, {x0, z, z0}};
        const float right[4][3] = {{x1, LotHeightAt(x1, z0), z0}, {x1, LotHeightAt(x1, z1), z1}, {x1, z, z1}, {x1, z, z0}};
        Quad(front), Quad(back), Quad(left), Quad(right);
    } else {
        const float far[4][3] = {{l, 0, t}, {r, 0, t}, {r, z, t}, {l, z, t}};
        const float west[4][3] = {{l, 0, t}, {l, 0, b}, {l, z, b}, {l, z, t}};
        const float east[4][3] = {{r, 0, t}, {r, 0, b}, {r, z, b}, {r, z, t}};
        const float near[4][3] = {{l, 0, b}, {r, 0, b}, {r, z, b}, {l, z, b}};
        Quad(far), Quad(west), Quad(east), Quad(near);
    }
    EndDisplayList(gBaseLotDisplayList);
}

void RTRenderGLBackground() {
    const DocState* ds = CurrentDocState();
    LiveViewHost* host = CurrentLiveViewHost();
    if (!ds || !host || !LiveViewControllerExists()) return;
    if (BeginDisplayList(gBackgroundDisplayList)) {
        const FloatRect bounds = host->liveViewOGLViewBounds();
        const BackdropQuad quad = BackdropExtents(bounds.floatRight - bounds.floatLeft, bounds.floatBottom - bounds.floatTop);
        const RealTimeQuality q = QualityAtSpeed(ds->navigationSpeed);
        const int32_t id = BackdropTexture(ds);
        gBackgroundTextureID = BindRealTime(id, q, true) ? id : 0;
        const RGBColor c = BackdropColor(ds);
        gBackgroundWidth = quad.right, gBackgroundHeight = quad.top;
        gBackgroundRed = ColorByte(c.red), gBackgroundGreen = ColorByte(c.green), gBackgroundBlue = ColorByte(c.blue);
        glDisable(GL_DEPTH_TEST);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-100, 100, -100, 100, -100, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        EndDisplayList(gBackgroundDisplayList);
    }
    const float w = gBackgroundWidth, h = gBackgroundHeight;
    const bool textured = gBackgroundTextureID != 0;
    glColor3ub(gBackgroundRed, gBackgroundGreen, gBackgroundBlue);
    glBegin(GL_QUADS);
    if (textured) glTexCoord2f(gBackgroundVertices[0], 1);
    glVertex3f(-w, h, 0);
    if (textured) glTexCoord2f(gBackgroundVertices[1], 1);
    glVertex3f(w, h, 0);
    if (textured) glTexCoord2f(gBackgroundVertices[2], 0);
    glVertex3f(w, -h, 0);
    if (textured) glTexCoord2f(gBackgroundVertices[3], 0);
    glVertex3f(-w, -h, 0);
    glEnd();
    DepthTest(*ds);
    TextureOff();
}
