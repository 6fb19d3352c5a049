#include "scene/face_materials.h"

#include "model/docstate.h"
#include "model/objects.h"
#include "files/texture_files.h"
#include "scene/plane_object.h"

namespace facemat {

namespace {
constexpr RGBColor kNoColor{0xFFFF, 0xFFFF, 0xFFFF};
constexpr RGBColor kFramingColor{0xD8D8, 0xE4E4, 0xF0F0};
} // namespace

Side PointSide1(Poinz* p) {
    return {p->texture1, p->faceScale1, nullptr, &p->texture1, &p->color1, &p->faceScale1.x};
}
Side PointSide2(Poinz* p) {
    return {p->texture2, p->faceScale2, nullptr, &p->texture2, &p->color2, &p->faceScale2.x};
}

void SetFront(PlaneObject* p, const Side& s) {
    p->frontTexture = s.texture;
    p->frontTextureSize[0] = static_cast<uint16_t>(s.size.x);
    p->frontTextureSize[1] = static_cast<uint16_t>(s.size.y);
    if (s.color) p->frontColor = *s.color;
    p->frontTextureField = s.textureField;
    p->frontColorField = s.colorField;
    p->frontScaleField = s.scaleField;
}

void SetBack(PlaneObject* p, const Side& s) {
    p->backTexture = s.texture;
    p->backTextureSize[0] = static_cast<uint16_t>(s.size.x);
    p->backTextureSize[1] = static_cast<uint16_t>(s.size.y);
    if (s.color) p->backColor = *s.color;
    p->backTextureField = s.textureField;
    p->backColorField = s.colorField;
    p->backScaleField = s.scaleField;
}

void BothSides(PlaneObject* p, const Side& s) {
    SetFront(p, s);
    SetBack(p, s);
}

void Framing(PlaneObject* p, const DocState* ds, int32_t lumber) {
    if (ds->framingColors) {
        BothSides(p, Side{0, {kFullSize, kFullSize}, &kFramingColor});
    } else {
        BothSides(p, Side{lumber, {kFullSize, kFullSize}, &kNoColor});
    }
}

void SetRepeats(PlaneObject* p, float width, float height) {
    if (p->frontTexture)
        ComputeTextureScale(p->frontTexture, width, height, &p->frontRepeat[0], &p->frontRepeat[1]);
    if (p->backTexture)
        ComputeTextureScale(p->backTexture, width, height, &p->backRepeat[0], &p->backRepeat[1]);
}

} // namespace facemat
