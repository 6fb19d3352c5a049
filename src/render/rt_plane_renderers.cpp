#include "render/rt_plane_renderers.h"

#include <memory>
#include <string>
#include <vector>

#include "files/windows_records.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/type_data.h"
#include "plan/plan_frame.h"
#include "render/billboards.h"
#include "scene/pick_state.h"
#include "render/core/plane_material.h"
#include "render/core/real_time_quality.h"
#include "model/render_state.h"
#include "files/texture_files.h"
#include "render/core/texture_pixels.h"
#include "render/gl.h"
#include "render/plane_renderers.h"
#include "scene/plane_object.h"

namespace {

constexpr int32_t kNoWirePlant = 14060;
constexpr int32_t kFirstPhoto = 1, kLastPhoto = 14999;

bool IsWireOrClearView(int16_t mode) { return mode == rendermode::kWireframe || mode == rendermode::kClearView; }

// Null when the piece is not drawn in a real-time frame.
DocState* Drawable(PlaneObject* p, int16_t flags) {
    DocState* ds = CurrentDocState();
    if (!p || !ds || !p->object3D) return nullptr;
    if (p->pieceKind == 134 && !flags) return nullptr;
    if (p->pieceKind == 135 && (ds->renderValue & hideflag::kTopography)) return nullptr;
    if ((p->pieceKind == 13 || p->pieceKind == 50) && IsWireOrClearView(ds->renderMode)) return nullptr;
    return ds;
}

RealTimeFaceStyle StyleFor(const PlaneObject* p, const DocState* ds) {
    const RealTimeQuality q = QualityAtSpeed(ds->navigationSpeed);
    RealTimeFaceStyle s;
    s.nearest = q.nearest, s.replace = q.replace;
    s.textures = q.planeTextures && !(ds->renderValue & hideflag::kMaterials) &&
                 (!IsWireOrClearView(ds->renderMode) || gTexturedWire);
    s.passColour = ds->renderMode == rendermode::kClearView;
    if (ds->renderMode == rendermode::kWireframe && !gTexturedWire) {
        s.wireColour = true;
        const Objex* source = p->sourceObject ? p->sourceObject : p->object3D;
        GetObjectPlanColor(source ? GetRootObject(const_cast<Objex*>(source)) : nullptr, &s.lineColour);
        s.lineColour = WireframeLineColor(s.lineColour, ds);
    }
    return s;
}

void Face(PlaneObject* p, int16_t flags, FaceCoords coords) {
    DocState* ds = Drawable(p, flags);
    if (!ds) return;
    const RealTimeFaceStyle style = StyleFor(p, ds);
    DrawPlaneFace(p, ds, coords, &style);
}

const char* ImagePath(const Objex* o) {
    return o && o->typeData.kind == TypeDataKind::ImagePath ? o->typeData.imagePath : nullptr;
}

// Plant pictures come in any size: converted at the image's own size.
void LoadPlantTexture(int32_t id, const Objex* base, int16_t mode) {
    const std::string path = PlantTexturePath(id, base, mode);
    if (path.empty()) return;
    const std::unique_ptr<DIBImage> image = LoadGLDIBImage(path.c_str());
    if (!image) return;
    std::vector<uint8_t> rgba = ConvertTextureToRGBA(image->pixels.data(), 1.0f, image->width, image->height);
    if (rgba.empty()) return;
    SetTextureAlpha(rgba.data(), 1.0f, image->width, image->height);
    UploadRGBA(id, image->width, image->height, rgba.data());
}

void LoadPhotoTexture(int32_t id, const char* path) {
    const std::unique_ptr<DIBImage> image = LoadGLDIBImage(path);
    if (!image) return;
    std::vector<uint8_t> rgba = ConvertTextureToRGBACustom(image->pixels.data(), 1.0f, image->width, image->height);
    if (rgba.empty()) return;
    SetTextureAlphaCustom(rgba.data(), 1.0f, image->width, image->height);
    UploadRGBA(id, image->width, image->height, rgba.data());
}

}  // namespace

void RTRenderGLPlaneObject(PlaneObject* object, int16_t flags) { Face(object, flags, FaceCoords::FromVertices); }
void RTRenderGLAutoGenPlaneObject(PlaneObject* object, int16_t flags) { Face(object, flags, FaceCoords::AutoGen); }
void RTRenderGLTrimPlaneObject(PlaneObject* object, int16_t flags) { Face(object, flags, FaceCoords::Trim); }

void RTRenderGLPlantObject(PlaneObject* object) {
    const DocState* ds = CurrentDocState();
    if (!object || !ds || !object->baseObject) return;
    const int16_t mode = ds->renderMode;
    const bool wire = mode == rendermode::kWireframe;
    if (!wire && ds->renderFlag) return;
    int32_t id = object->frontTexture;
    double corners[4][3];
    if (!id || !PlantBillboardCorners(object, ds, corners)) return;
    if (wire) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        id = GetWireFramePlantTextureIDNameFromID(id);
        if (!id) id = kNoWirePlant;
    }
    if (!glIsTexture(GLuint(id))) LoadPlantTexture(id, object->baseObject, mode);
    const bool textured = glIsTexture(GLuint(id));
    if (textured) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, GLuint(id));
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.5f);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    glColor4ub(255, 255, 255, ClearViewOpacity(ds));
    const float st[4][2] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2fv(st[i]);
        glVertex3dv(corners[i]);
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    if (wire) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
}

void RTRenderGLPhotoObject(PlaneObject* object) {
    const DocState* ds = CurrentDocState();
    if (!object || !ds) return;
    const int16_t mode = ds->renderMode;
    if (mode == rendermode::kWireframe || (ds->renderFlag && !gDrawClearViewRorozErud)) return;
    const Objex* base = object->baseObject;
    const char* path = ImagePath(base);
    if (!object->sourceObject || !base || !path || !*path) return;
    const int32_t id = object->frontTexture;
    if (gGLPickMode && id >= kFirstPhoto && id <= kLastPhoto && !glIsTexture(GLuint(id))) LoadPhotoTexture(id, path);
    const bool textured = id > 0 && glIsTexture(GLuint(id)) && QualityAtSpeed(ds->navigationSpeed).planeTextures &&
                          !(ds->renderValue & hideflag::kMaterials);
    if (textured) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, GLuint(id));
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.5f);
    }
    const float mirror = objfield::photo::kMirrored(*base) ? -1.0f : 1.0f;
    glColor4ub(255, 255, 255, ClearViewOpacity(ds));
    for (const Plane* plane = object->planes; plane; plane = plane->next) {
        glBegin(GL_POLYGON);
        for (uint32_t i = 0; i < plane->count; ++i) {
            const PlaneVertex& vx = plane->vertices[i];
            if (textured) glTexCoord2f(mirror * vx.u, -vx.v);
            if (mode == rendermode::kClearView) glEdgeFlag(vx.flag == 0 ? GL_TRUE : GL_FALSE);
            glVertex3f(vx.H, -vx.V, vx.D);
        }
        glEnd();
    }
    glEdgeFlag(GL_TRUE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
}
