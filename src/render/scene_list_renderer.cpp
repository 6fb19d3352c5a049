#include "render/scene_list_renderer.h"

#include <array>
#include <vector>

#include "app/core/localization_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/view_layers.h"
#include "scene/pick_state.h"
#include "port/seam.h"
#include "render/billboards.h"
#include "render/core/interrupt_source.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "render/core/scene_list_rules.h"
#include "render/gl.h"
#include "render/plane_renderers.h"
#include "scene/plane_object.h"

int32_t gTotalObjectsRendered = 0;
static const port::GlobalReset kReset([] { gTotalObjectsRendered = 0; });

const PlaneDrawers kGLPlaneDrawers{RenderGLPlaneObject, RenderGLTrimPlaneObject, RenderGLAutoGenPlaneObject,
                                   RenderGLPlantObject, RenderGLPhotoObject};

namespace {

constexpr int kPollEvery = 300;
// The stencil is 8 bits deep; 0 and 1 are never an opening's value (1 marks floor holes).
constexpr int32_t kFirstMaskValue = 2;
constexpr int32_t kLastMaskValue = 255;
constexpr GLuint kAllBits = 0xFFFF;

bool IsPlant(const PlaneObject* p) {
    return p->surfaceKind == kPlantSurface || p->surfaceKind == kUserPlantSurface;
}

// One call's walks: its drawers and the count of pieces the Escape poll shares.
class Walk {
public:
    Walk(const DocState* ds, const PlaneWalkOptions& options)
        : ds_(ds), d_(*options.drawers), picking_(options.picking) {}

    // True when an Escape ends the walk. Every piece of the list a walk passes counts, drawn or
    // not, so `n` pieces passed at once poll as they would one by one.
    bool interrupted(size_t n = 1) {
        if (gDisableRenderInterrupt || gPrinting3DView) return false;
        if (!gRenderOpenGLAntiAlias && !gRenderingShadowMapAntiAlias) return false;
        const size_t before = count_;
        count_ += n;
        return count_ / kPollEvery != before / kPollEvery && PollRenderInterrupt();
    }

    void face(PlaneObject* p) {
        switch (FaceDrawerFor(p)) {
        case FaceDrawer::Plane: d_.plane(p, 0); return;
        case FaceDrawer::Trim: d_.trim(p, 0); return;
        case FaceDrawer::AutoGen: d_.autoGen(p, 0); return;
        case FaceDrawer::Filler:
            if (!picking_) return;
            if (!ds_->renderFlag) {
                glEnable(GL_BLEND);
                glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            }
            d_.plane(p, 0);
            if (!ds_->renderFlag) glDisable(GL_BLEND);
            return;
        }
    }
    void faceWithTrims(PlaneObject* p) {
        face(p);
        for (PlaneObject* t = p->trims; t; t = t->next) face(t);
    }
    void plainWithTrims(PlaneObject* p) {
        d_.plane(p, 0);
        for (PlaneObject* t = p->trims; t; t = t->next) d_.plane(t, 0);
    }
    void plane(PlaneObject* p) { d_.plane(p, 0); }
    void plant(PlaneObject* p) { d_.plant(p); }
    void photo(PlaneObject* p) { d_.photo(p); }

    // Stencil writes only: colour and depth off, every fragment takes `value`.
    void stencilWrites(int32_t value) {
        glEnable(GL_STENCIL_TEST);
        glStencilFunc(GL_ALWAYS, value, kAllBits);
        glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        glDepthMask(GL_FALSE);
    }
    // Colour (unless the mode draws none) and depth back on, drawing where the stencil passes.
    void drawThrough(GLenum func, int32_t value) {
        glShadeModel(GL_SMOOTH);
        glEnable(GL_DITHER);
        const GLboolean colour = ds_->renderMode == rendermode::kNoColour ? GL_FALSE : GL_TRUE;
        glColorMask(colour, colour, colour, colour);
        glDepthMask(GL_TRUE);
        glStencilFunc(func, value, kAllBits);
        glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    }

    // A face with openings: its masks take this face's own stencil value, then the face and its
    // trims are drawn everywhere else.
    void masked(PlaneObject* p) {
        const int32_t value = NextMaskStencilValue();
        stencilWrites(value);
        for (PlaneObject* m = p->masks; m; m = m->next) d_.plane(m, 0);
        drawThrough(GL_NOTEQUAL, value);
        plainWithTrims(p);
        glDisable(GL_STENCIL_TEST);
        ++gCurrentStencilValue;
    }

private:
    const DocState* ds_;
    const PlaneDrawers& d_;
    bool picking_;
    size_t count_ = 0;
};

Objex* RootOfBase(const PlaneObject* p) { return p->baseObject ? GetRootObject(p->baseObject) : nullptr; }

// The pieces the passes after the main walk draw, gathered by it in list order with their
// place in the list, so those passes walk them alone.
struct Gathered {
    struct Entry {
        PlaneObject* piece;
        size_t index;
    };
    std::vector<Entry> floors, translucent;
    size_t length = 0;
};

// Walks gathered entries as if it walked the whole list: the pieces between them count for
// the Escape poll. False when an Escape ended it.
template <typename Draw>
bool WalkEntries(const std::vector<Gathered::Entry>& entries, size_t length, Walk& walk, Draw&& draw) {
    size_t next = 0;
    for (const Gathered::Entry& e : entries) {
        if (walk.interrupted(e.index + 1 - next)) return false;
        next = e.index + 1;
        draw(e.piece);
    }
    return !walk.interrupted(length - next);
}

// Returns false when an Escape ended it.
bool MainWalk(PlaneObject* list, const DocState* ds, Walk& walk, Gathered& later) {
    for (PlaneObject* p = list; p; p = p->next, ++later.length) {
        if (walk.interrupted()) return false;
        if (gCountRenderingObjects) ++gTotalObjectsRendered;
        if (p->alpha < 255) {
            later.translucent.push_back({p, later.length});
            continue;
        }
        if (IsFloorPassKind(p->pieceKind) || p->pieceKind == piecekind::kFloor) later.floors.push_back({p, later.length});
        if (IsPlant(p)) {
            if (!gNoPlants && !(ds->renderValue & hideflag::kPlants)) walk.plant(p);
            continue;
        }
        if (p->surfaceKind == kPhotoSurface) {
            if (!(gHideNonShadowObjects && CastsNoShadow(p))) walk.photo(p);
            continue;
        }
        if (!DrawnInMainWalk(p) || HiddenByRenderValue(p, ds->renderValue)) continue;
        if (p->masks) {
            walk.masked(p);
        } else if (!(gHideNonShadowObjects && CastsNoShadow(p))) {
            walk.faceWithTrims(p);
        }
    }
    return true;
}

// One floor's holes, floors and insets. `eyeAbove` carries from floor to floor.
void FloorPass(const Gathered& g, const DocState* ds, Layer* floor, bool& eyeAbove, Walk& walk) {
    using namespace piecekind;
    glClear(GL_STENCIL_BUFFER_BIT);
    gCurrentStencilValue = kFirstMaskValue;
    walk.stencilWrites(1);
    WalkEntries(g.floors, g.length, walk, [&](PlaneObject* p) {
        if (FloorHoleDrawn(p, floor, *ds, eyeAbove)) walk.plane(p);
    });
    walk.drawThrough(GL_NOTEQUAL, 1);
    WalkEntries(g.floors, g.length, walk, [&](PlaneObject* p) {
        if (DrawnInFloorWalk(p, floor)) walk.plane(p);
    });
    glDisable(GL_STENCIL_TEST);
    WalkEntries(g.floors, g.length, walk, [&](PlaneObject* p) {
        if (p->pieceKind != kInsetOutline) return;
        Objex* root = RootOfBase(p);
        if (!root || root->layer != floor) return;
        PlaneObject* inset = nullptr;
        for (size_t i = 0; i < g.floors.size() && !inset; ++i) {
            PlaneObject* q = g.floors[i].piece;
            if (q->pieceKind == kInset && q->baseObject && RootOfBase(q) == root) inset = q;
        }
        if (!inset) return;
        glClear(GL_STENCIL_BUFFER_BIT);
        gCurrentStencilValue = kFirstMaskValue;
        walk.stencilWrites(1);
        walk.plane(p);
        walk.drawThrough(GL_EQUAL, 1);
        walk.plane(inset);
    });
    glStencilFunc(GL_NOTEQUAL, 1, kAllBits);
    glDisable(GL_STENCIL_TEST);
}

// Returns false when an Escape ended it.
bool TranslucentPass(const Gathered& g, const DocState* ds, Walk& walk) {
    return WalkEntries(g.translucent, g.length, walk, [&](PlaneObject* p) {
        // A hidden imported object keeps its trims hidden too.
        if (p->pieceKind == piecekind::kImported && (ds->renderValue & hideflag::kObjects)) return;
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        if (FaceDrawerFor(p) == FaceDrawer::AutoGen)
            walk.face(p);
        else
            walk.plane(p);
        for (PlaneObject* t = p->trims; t; t = t->next) walk.plane(t);
        if (!ds->renderFlag) glDisable(GL_BLEND);
    });
}

bool ShowsStatus() { return !gRenderOpenGLAntiAlias && !gRenderingShadowMap; }

}  // namespace

int32_t NextMaskStencilValue() {
    if (gCurrentStencilValue > kLastMaskValue || gCurrentStencilValue < kFirstMaskValue) {
        glClear(GL_STENCIL_BUFFER_BIT);
        gCurrentStencilValue = kFirstMaskValue;
    }
    return gCurrentStencilValue;
}

void RenderGLPlaneObjects(PlaneObject* list) {
    PlaneWalkOptions options;
    options.picking = gGLPickMode != 0;
    RenderGLPlaneObjects(list, options);
}

void RenderGLPlaneObjects(PlaneObject* list, const PlaneWalkOptions& options) {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    if (gCountRenderingObjects && !gNoPlants) gTotalObjectsRendered = 0;
    if (ShowsStatus()) SetLVStatusString(LocalizedString("Rendering").c_str());
    Walk walk(ds, options);
    Gathered later;
    if (!MainWalk(list, ds, walk, later)) return;
    bool eyeAbove = false;
    for (Layer* floor : FirstThreeFloors()) {
        if (!floor || gBreakOpenGLRender) break;
        FloorPass(later, ds, floor, eyeAbove, walk);
    }
    if (!gHideNonShadowObjects && !gSkipTransparent && !gRenderPlantsInColor && !TranslucentPass(later, ds, walk))
        return;
    if (ShowsStatus()) SetLVStatusString("");
    gDisableRenderInterrupt = 0;
}

void RenderGLPlaneObjectsPlantsOnly(PlaneObject* list, const PlaneWalkOptions& options) {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    if (gCountRenderingObjects) gTotalObjectsRendered = 0;
    Walk walk(ds, options);
    for (PlaneObject* p = list; p; p = p->next) {
        if (walk.interrupted()) break;
        if (IsPlant(p) && !(ds->renderValue & hideflag::kPlants)) walk.plant(p);
    }
    gDisableRenderInterrupt = 0;
}

void RenderGLFillerPlaneObjects(PlaneObject* list, const PlaneWalkOptions& options) {
    for (PlaneObject* p = list; p; p = p->next) {
        if (p->pieceKind != piecekind::kFiller) continue;
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        options.drawers->plane(p, 0);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    }
}
