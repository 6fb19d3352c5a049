#include "render/rt_scene_list.h"

#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "port/seam.h"
#include "render/core/pick_seams.h"
#include "scene/pick_state.h"
#include "model/render_state.h"
#include "render/core/scene_list_rules.h"
#include "render/gl.h"
#include "render/rt_display_lists.h"
#include "render/rt_plane_renderers.h"
#include "render/scene_list_renderer.h"
#include "scene/plane_object.h"

namespace {

constexpr GLuint kAllBits = 0xFFFF;
constexpr uint32_t kFirstPieceName = kLotPickName + 1;

// The pieces of the last picking walk, by selection name minus kFirstPieceName.
std::vector<PlaneObject*> gNamedPieces;

bool IsPlant(const PlaneObject* p) { return p->surfaceKind == kPlantSurface || p->surfaceKind == kUserPlantSurface; }
bool IsHoleKind(uint16_t k) {
    return k == piecekind::kFloorHoleAbove || k == piecekind::kFloorHoleBelow || k == piecekind::kInsetOutline;
}

void NameIf(bool named, PlaneObject* p) {
    if (!named) return;
    glLoadName(GLuint(kFirstPieceName + gNamedPieces.size()));
    gNamedPieces.push_back(p);
}
// The scene's pieces carry names while picking.
void Name(PlaneObject* p) { NameIf(gGLPickMode != 0, p); }

void Face(PlaneObject* p) {
    switch (FaceDrawerFor(p)) {
    case FaceDrawer::Trim: RTRenderGLTrimPlaneObject(p, 0); return;
    case FaceDrawer::AutoGen: RTRenderGLAutoGenPlaneObject(p, 0); return;
    case FaceDrawer::Filler:
    case FaceDrawer::Plane: RTRenderGLPlaneObject(p, 0); return;
    }
}

void StencilWrites(int32_t value) {
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, value, kAllBits);
    glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
}

void DrawThrough(GLenum func, int32_t value) {
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilFunc(func, value, kAllBits);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}

// Returns the number of floor holes it passed over.
int MainWalk(PlaneObject* list, const DocState& ds) {
    int holes = 0;
    for (PlaneObject* p = list; p; p = p->next) {
        if (p->pieceKind == piecekind::kFiller && !gGLPickMode) continue;
        if (IsPlant(p) || p->surfaceKind == kPhotoSurface) continue;
        if (IsHoleKind(p->pieceKind)) {
            ++holes;
            continue;
        }
        if (!DrawnInMainWalk(p) || HiddenByRenderValue(p, ds.renderValue)) continue;
        Name(p);
        if (p->masks) {
            const int32_t value = NextMaskStencilValue();
            StencilWrites(value);
            for (PlaneObject* m = p->masks; m; m = m->next) RTRenderGLPlaneObject(m, 0);
            DrawThrough(GL_NOTEQUAL, value);
            RTRenderGLPlaneObject(p, 0);
            for (PlaneObject* t = p->trims; t; t = t->next) Name(t), RTRenderGLPlaneObject(t, 0);
            glDisable(GL_STENCIL_TEST);
            ++gCurrentStencilValue;
            continue;
        }
        Face(p);
        for (PlaneObject* t = p->trims; t; t = t->next) Name(t), Face(t);
    }
    return holes;
}

void FloorPasses(PlaneObject* list, const DocState& ds, int holes) {
    bool eyeAbove = false;
    for (Layer* floor : FirstThreeFloors()) {
        if (!floor) break;
        if (holes) {
            StencilWrites(NextMaskStencilValue());
            for (PlaneObject* p = list; p; p = p->next)
                if (FloorHoleDrawn(p, floor, ds, eyeAbove)) RTRenderGLPlaneObject(p, 0);
            DrawThrough(GL_NOTEQUAL, gCurrentStencilValue);
        }
        for (PlaneObject* p = list; p; p = p->next)
            if (DrawnInFloorWalk(p, floor)) Name(p), RTRenderGLPlaneObject(p, 0);
        if (holes) {
            glDisable(GL_STENCIL_TEST);
            ++gCurrentStencilValue;
        }
    }
    if (gGLPickMode) return;
    // Insets show only inside their outlines.
    if (holes) {
        StencilWrites(NextMaskStencilValue());
        for (PlaneObject* p = list; p; p = p->next)
            if (p->pieceKind == piecekind::kInsetOutline) RTRenderGLPlaneObject(p, 0);
        DrawThrough(GL_EQUAL, gCurrentStencilValue);
    }
    for (PlaneObject* p = list; p; p = p->next)
        if (p->pieceKind == piecekind::kInset) RTRenderGLPlaneObject(p, 0);
    if (holes) {
        glStencilFunc(GL_NOTEQUAL, gCurrentStencilValue, kAllBits);
        glDisable(GL_STENCIL_TEST);
        ++gCurrentStencilValue;
    }
}

}  // namespace

static const port::GlobalReset kReset([] { gNamedPieces.clear(); });

void RealTimeRenderGLPlaneObjects(PlaneObject* list) {
    const DocState* ds = CurrentDocState();
    if (!ds || !list) return;
    bool draw = true;
    if (ds->renderMode != rendermode::kWireframe || gSceneDisplayList) draw = BeginDisplayList(gSceneDisplayList);
    if (draw) {
        if (gGLPickMode || gGLPick3DSelectionMode || gGLFindAppliedMode) gNamedPieces.clear();
        FloorPasses(list, *ds, MainWalk(list, *ds));
        EndDisplayList(gSceneDisplayList);
    }
    // Plants and photos face the camera: drawn every frame, outside the list.
    const bool plantsDrawn = (!gGLPickMode || gGLFindAppliedMode) && !(ds->renderValue & hideflag::kPlants);
    const bool plantsNamed = gGLPick3DSelectionMode || gGLFindAppliedMode;
    const bool photosNamed = gGLPick3DSelectionMode || gGLPickMode;
    for (PlaneObject* p = list; p; p = p->next) {
        if (IsPlant(p)) {
            if (!plantsDrawn) continue;
            NameIf(plantsNamed, p);
            RTRenderGLPlantObject(p);
        } else if (p->surfaceKind == kPhotoSurface) {
            NameIf(photosNamed, p);
            RTRenderGLPhotoObject(p);
        }
    }
}

PlaneObject* PickedPlaneObject(uint32_t name) {
    if (name < kFirstPieceName || name - kFirstPieceName >= gNamedPieces.size()) return nullptr;
    return gNamedPieces[name - kFirstPieceName];
}
