#include "render/billboards.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <GL/glu.h>

#include "files/content_folders.h"
#include "files/windows_records.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/preferences.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "model/color_conversions.h"
#include "render/core/plane_material.h"
#include "model/render_state.h"
#include "files/texture_files.h"
#include "render/core/texture_pixels.h"
#include "render/gl.h"
#include "scene/plane_object.h"
#include "scene/terrain.h"

namespace {

constexpr int32_t kNoWirePlant = 14060;
constexpr int32_t kFirstCustom = 20000;
constexpr int32_t kPhotoSide = 512;
constexpr double kProbe = 100.0;

struct Vec {
    double x = 0, y = 0, z = 0;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec operator*(Vec a, double k) { return {a.x * k, a.y * k, a.z * k}; }
Vec Unit(Vec a) {
    const double n = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    return n > 0 ? a * (1.0 / n) : Vec{};
}

struct Matrices {
    GLdouble model[16], projection[16];
    GLint viewport[4];
    Matrices() {
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
    }
    Vec project(Vec p) const {
        Vec w;
        gluProject(p.x, p.y, p.z, model, projection, viewport, &w.x, &w.y, &w.z);
        return w;
    }
    Vec unproject(Vec w) const {
        Vec p;
        gluUnProject(w.x, w.y, w.z, model, projection, viewport, &p.x, &p.y, &p.z);
        return p;
    }
    // The unit vector from p towards the point `dx`, `dy` pixels from it on screen.
    Vec towards(Vec p, double dx, double dy) const {
        const Vec w = project(p);
        return Unit(unproject({w.x + dx, w.y + dy, w.z}) - p);
    }
};


// Every texel whose red, green and blue are all 0 becomes transparent.
void KeyBlack(std::vector<uint8_t>& rgba) {
    for (size_t i = 0; i + 3 < rgba.size(); i += 4)
        if (!rgba[i] && !rgba[i + 1] && !rgba[i + 2]) rgba[i + 3] = 0;
}

const char* ImagePath(const Objex* o) {
    return o && o->typeData.kind == TypeDataKind::ImagePath ? o->typeData.imagePath : nullptr;
}

}  // namespace

void UploadRGBA(int32_t id, int32_t width, int32_t height, const uint8_t* rgba) {
    glBindTexture(GL_TEXTURE_2D, GLuint(id));
    GLint unpack = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpack);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glPixelStorei(GL_UNPACK_ALIGNMENT, unpack);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

std::string PlantTexturePath(int32_t id, const Objex* base, int16_t mode) {
    std::string path;
    if (base->subtype == objsubtype::kUserPlant && mode != rendermode::kWireframe) {
        if (const char* own = ImagePath(base)) path = own;
    } else {
        char name[kTexturePathBufferSize] = {};
        GetTextureFileNameFromID(id, name);
        const std::string folder =
            mode == rendermode::kWireframe ? LocalDomainTexturePath() : LocalDomainUserSharedTexturePath();
        if (name[0] && !folder.empty()) path = SharedFile(folder + "/" + name);
    }
    return path;
}

bool PlantBillboardCorners(const PlaneObject* object, const DocState* ds, double corners[4][3]) {
    const Objex* base = object ? object->baseObject : nullptr;
    if (!base || !ds || !object->planes || object->planes->count != 4) return false;
    const PlaneVertex* v = object->planes->vertices;
    Vec b{(v[0].H + v[1].H) / 2.0, 0, (v[1].D + v[2].D) / 2.0};
    b.y = base->onTerrain ? -GetTopoElevationAtGridPt(float(b.x), float(b.z))
                          : ConvertWorldToScreen(base->elevation, ds, 0);
    const Matrices m;
    const Vec r = m.towards(b, kProbe, 0) * object->plantHalfWidth;
    const Vec t = b + m.towards(b, 0, kProbe) * object->plantHeight;
    const Vec r2 = m.towards(t, kProbe, 0) * object->plantHalfWidth;
    const Vec c[4] = {t - r2, t + r2, b + r, b - r};
    for (int i = 0; i < 4; ++i) corners[i][0] = c[i].x, corners[i][1] = c[i].y, corners[i][2] = c[i].z;
    return true;
}

namespace {

void LoadPlantTexture(int32_t id, const Objex* base, int16_t mode) {
    const std::string path = PlantTexturePath(id, base, mode);
    if (path.empty()) return;
    const std::unique_ptr<DIBImage> image = LoadGLDIBImage(path.c_str());
    if (!image) return;
    std::vector<uint8_t> rgba = ConvertTextureToRGBACustom(image->pixels.data(), 1.0f, image->width, image->height);
    if (rgba.empty()) return;
    KeyBlack(rgba);
    UploadRGBA(id, image->width, image->height, rgba.data());
}

// The ambient factor of the document's brightness, applied as the colour's HSV value.
RGBColor AmbientColour(RGBColor c, const DocState* ds) {
    float a = (ds->lightIntensity - 0.5f) * 0.5f;
    a = a <= 0.25f ? a * 3 : a + (1 - a) / 1.5f;
    uint16_t hsv[3];
    RGBtoHSV(&c, hsv);
    const float v = std::fmin(std::fmax(a * 65535.0f, 0.0f), 65535.0f);
    hsv[2] = uint16_t(v);
    HSVtoRGB(hsv, &c);
    return c;
}

// The photo's image at 512 x 512, black keyed; nothing on a failed load (the plane draws white).
void LoadPhotoTexture(int32_t id, const char* imagePath) {
    char path[kTexturePathBufferSize] = {};
    std::strncpy(path, imagePath, sizeof path - 1);
    Validate512Pathname(path);
    const std::unique_ptr<DIBImage> image = LoadGLDIBImage(path);
    if (!image) return;
    int32_t width = image->width, height = image->height;
    std::vector<uint8_t> rgba = ConvertTextureToRGBACustom(image->pixels.data(), 1.0f, width, height);
    if (rgba.empty()) return;
    if (width != kPhotoSide || height != kPhotoSide) {
        FrameImage(rgba.data(), width, height);
        std::vector<uint8_t> scaled(size_t(kPhotoSide) * kPhotoSide * 4);
        GLint pack = 4, unpack = 4;
        glGetIntegerv(GL_PACK_ALIGNMENT, &pack);
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpack);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        const GLint failed = gluScaleImage(GL_RGBA, width, height, GL_UNSIGNED_BYTE, rgba.data(), kPhotoSide,
                                           kPhotoSide, GL_UNSIGNED_BYTE, scaled.data());
        glPixelStorei(GL_PACK_ALIGNMENT, pack);
        glPixelStorei(GL_UNPACK_ALIGNMENT, unpack);
        if (failed) return;
        rgba.swap(scaled);
        width = height = kPhotoSide;
    }
    KeyBlack(rgba);
    UploadRGBA(id, width, height, rgba.data());
}

// Whether a photo's gradient darkens from the bottom (v = 1) rather than the top.
bool GradientFromBottom(const PlaneObject* p) {
    const int32_t type = p->object3DType;
    if (type == 0) return true;
    const Layer* layer = p->object3D ? p->object3D->layer : nullptr;
    if (!layer || std::strcmp(layer->name, "First Floor") == 0) return false;
    switch (type) {
    case 14: case 16: case 32: case 33: case 34: case 35: case 41: case 42: case 44: return false;
    default: return true;
    }
}

uint16_t LessGradient(uint16_t c, int32_t g) { return c > g ? uint16_t(c - g) : 0; }

}  // namespace

void RenderGLPlantObject(PlaneObject* object) {
    DocState* ds = CurrentDocState();
    if (!object || !ds || !object->baseObject) return;
    const Objex* base = object->baseObject;
    const int16_t mode = ds->renderMode;
    const bool wire = mode == rendermode::kWireframe;
    if (!wire && ds->renderFlag) return;
    int32_t id = object->frontTexture;
    if (!id || !object->planes || object->planes->count != 4) return;
    if (wire) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        id = GetWireFramePlantTextureIDNameFromID(id);
        if (!id) id = kNoWirePlant;
    }
    double corners[4][3];
    PlantBillboardCorners(object, ds, corners);

    if (!glIsTexture(GLuint(id))) LoadPlantTexture(id, base, mode);
    const bool textured = glIsTexture(GLuint(id));
    if (textured) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, GLuint(id));
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    const RGBColor colour = AmbientColour(ds->renderFlag ? ClearViewLineColor() : RGBColor{0xFFFF, 0xFFFF, 0xFFFF}, ds);
    RGBColor ground = colour;
    if (mode != rendermode::kNoColour && !wire && (gLiveViewOptions & liveviewoption::kGradientShading)) {
        const int32_t g = int32_t(ds->lightValue);
        ground = {LessGradient(colour.red, g), LessGradient(colour.green, g), LessGradient(colour.blue, g)};
    }
    const uint8_t alpha = ClearViewOpacity(ds);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    glBegin(GL_POLYGON);
    glColor4ub(ColorByte(colour.red), ColorByte(colour.green), ColorByte(colour.blue), alpha);
    const float st[4][2] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
    for (int i = 0; i < 4; ++i) {
        if (i == 2) glColor4ub(ColorByte(ground.red), ColorByte(ground.green), ColorByte(ground.blue), alpha);
        glTexCoord2f(st[i][0], st[i][1]);
        glVertex3dv(corners[i]);
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    if (wire) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
}

void RenderGLPhotoObject(PlaneObject* object) {
    DocState* ds = CurrentDocState();
    if (!object || !ds) return;
    if (ds->renderFlag && !gDrawClearViewRorozErud) return;
    const int16_t mode = ds->renderMode;
    if (mode == rendermode::kWireframe) return;
    const Objex* base = object->baseObject;
    const char* imagePath = ImagePath(base);
    if (!object->object3D || !base || !imagePath || !*imagePath) return;

    const Plane* first = object->planes;
    const float nx = first ? first->nx : 1, ny = first ? first->ny : 1, nz = first ? first->nz : 1;
    const float m = objfield::photo::kMirrored(*base) ? -1.0f : 1.0f;
    const int32_t id = object->frontTexture;
    bool textured = false;
    if (!gRenderPlantsInColor && id >= kFirstCustom) {
        if (!glIsTexture(GLuint(id))) LoadPhotoTexture(id, imagePath);
        textured = glIsTexture(GLuint(id));
    }
    const PlaneMaterial material = ResolvePlaneMaterial(object, ds);
    RGBColor k = textured || gRenderPlantsInColor ? RGBColor{0xFFFF, 0xFFFF, 0xFFFF} : material.color;
    if (mode == rendermode::kLines) k = ClearViewLineColor();
    else if (mode == rendermode::kFilled) k = ClearViewFillColor(ds);
    int32_t value = 0;
    if (mode != rendermode::kLines && mode != rendermode::kFilled && !gRenderPlantsInColor) {
        k = ShadePlaneColor(k, nx, ny, nz, object->pieceKind, ds, &value);
    } else {
        uint16_t hsv[3];
        RGBtoHSV(&k, hsv);
        value = hsv[2];
    }
    if (textured) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, GLuint(id));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.5f);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    const bool gradient = mode != rendermode::kLines && (gLiveViewOptions & liveviewoption::kGradientShading);
    const bool fromBottom = GradientFromBottom(object);
    const float f = ds->lightValue / 65535.0f * float(value);
    const uint8_t alpha = ClearViewOpacity(ds);
    for (const Plane* plane = object->planes; plane; plane = plane->next) {
        glBegin(GL_POLYGON);
        glNormal3f(plane->nx, plane->ny, plane->nz);
        for (uint32_t i = 0; i < plane->count; ++i) {
            const PlaneVertex& vx = plane->vertices[i];
            RGBColor c = k;
            const bool continues = object->pieceKind == kMeshStrip && (i == 2 || i == 3) && object->sourceObject &&
                                   object->sourceObject == gPrevPlaneParentObject;
            if (continues) {
                c = gPrevPlaneColor;
            } else if (gradient) {
                float g = fromBottom ? value - f * (1 - vx.v) : value - f * vx.v;
                g = std::fmin(std::fmax(g, 0.0f), 65535.0f);
                c = GradientColor(k, value, int32_t(g), ds);
            }
            glColor4ub(ColorByte(c.red), ColorByte(c.green), ColorByte(c.blue), alpha);
            glTexCoord2f(m * vx.u, -vx.v);
            if (mode == rendermode::kLines) glEdgeFlag(vx.flag == 0 ? GL_TRUE : GL_FALSE);
            glVertex3f(vx.H, -vx.V, vx.D);
        }
        glEnd();
    }
    glEdgeFlag(GL_TRUE);
    gPrevPlaneParentObject = object->sourceObject;
    gPrevPlaneColor = k;
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
}
