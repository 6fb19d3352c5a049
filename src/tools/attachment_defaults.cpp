#include "tools/attachment_defaults.h"

#include <algorithm>
#include <limits>
#include <new>

#include "model/attachments.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/tool_defaults.h"
#include "model/transforms.h"
#include "model/units.h"
#include "plan/doors.h"
#include "port/seam.h"
#include "files/texture_files.h"

uint8_t gFlipWinHorizontal = 0;
int16_t gFlipWinVertical = 0;
static const port::GlobalReset kReset([] {
    gFlipWinHorizontal = 0;
    gFlipWinVertical = 0;
});

namespace {

constexpr int32_t kTrimTexture = 2218;
constexpr RGBColor kNoColor{0xFFFF, 0xFFFF, 0xFFFF};
constexpr RGBColor kSkylightColor{28784, 28784, 28784};
constexpr int16_t kFullScale = 100;
constexpr float kSkylightAngle = 90.0f;
// Bathtubs, spa tubs and showers sit just above their segment's base (plan units).
constexpr float kTubElevation = 0.1f;
// Attached dimensions and wall breaks: no width, a reach of 200 plan units.
constexpr float kMarkerReach = 200.0f;
constexpr float kQuarterTurn = 1.5707963f;

float Plan(float inches, const DocState* ds) { return ConvertWorldToScreen(inches, ds, 0); }

int16_t ToScale(int32_t value) {
    return static_cast<int16_t>(std::clamp<int32_t>(value, std::numeric_limits<int16_t>::min(),
                                                    std::numeric_limits<int16_t>::max()));
}

void TextureSize(int32_t texture, int16_t scale[2]) {
    int32_t w = kFullScale, h = kFullScale;
    LoadTextureWH(texture, &w, &h);
    scale[0] = ToScale(w);
    scale[1] = ToScale(h);
}

// Both trims of texture 0 (untextured) or of the stock trim texture at its size; white.
void SetTrims(AttachmentRecord* r, int32_t texture) {
    r->insideTrimTexture = r->outsideTrimTexture = texture;
    if (texture) {
        TextureSize(texture, r->insideTrimScale);
        TextureSize(texture, r->outsideTrimScale);
    } else {
        r->insideTrimScale[0] = r->insideTrimScale[1] = kFullScale;
        r->outsideTrimScale[0] = r->outsideTrimScale[1] = kFullScale;
    }
    r->insideTrimColor = r->outsideTrimColor = kNoColor;
}

struct Size {
    float width, height;  // inches
};

Size ComponentSizeInches(int16_t symbol, const DocState* ds) {
    switch (symbol) {
    case 73: case 74: case 75: case 76: case 77: case 78: return {6, 16};
    case 83: return {25, 11};
    case 84: case 85: return {10, 12};
    case 86: case 87: return {10, 14};
    case 90: return {24, 30};
    case 91: case 92: case 93: return {36, 24};
    case 94: return {21, 16};
    case 95: return {ds->bathTubSize, ds->bathTubSizeB};
    case 96: return {ds->spaTubSize, ds->spaTubSizeB};
    case 97: return {ds->showerSize, ds->showerSizeB};
    case 124: return {48, 6};
    default: return {6, 12};
    }
}

bool IsMarker(int16_t symbol) { return symbol == 138 || symbol == 303; }

// Mounting height above the segment base, plan units.
float ComponentElevation(int16_t symbol, const DocState* ds) {
    const bool imperial = ds->units == kImperialUnits;
    auto by = [&](float inches, float cm) { return Plan(imperial ? inches : ConvertCMToInches(cm), ds); };
    switch (symbol) {
    case 55: case 65: case 66: case 67: case 70: case 84: case 85: return by(12, 30);
    case 73: case 74: case 75: case 76: case 77: case 78: return by(42, 110);
    case 83: case 86: return by(84, 214);
    case 87: return by(54, 140);
    case 91: case 92: case 93: return by(36, 90);
    case 99: case 109: return by(18, 50);
    case 124: return Plan(6, ds);
    case 90: case 94: return 0;
    case 95: case 96: case 97: return kTubElevation;
    default: return Plan(ds->currentElevation, ds);
    }
}

}  // namespace

AttachmentRecord* NewDoorRecord(Poinz* segmentStart, Poinz* segmentEnd, float centreDistance) {
    AttachmentRecord* r = NewAttachmentRecordOnSegment(objtype::kDoor, segmentStart, segmentEnd, centreDistance);
    if (!r) return nullptr;
    const DocState* ds = CurrentDocState();
    r->style = ds->doorStyle;
    // Open a quarter turn until the swing is chosen, so a hinged door never stands without its
    // arc and leaf (the swing's second click may be left out or refused).
    if (IsHingedDoorStyle(r->style)) {
        r->swingOrOffset = kQuarterTurn;
        r->directionFlag = DoorSwingDirectionFlag(90.0);
    }
    r->width = Plan(ds->doorWidth, ds);
    r->height = Plan(ds->doorHeight, ds);
    r->elevation = std::max(0.0f, Plan(ds->doorValueB, ds));
    r->frameFlag = 1;
    r->trimWidth = ds->doorValue;
    SetTrims(r, kTrimTexture);
    return r;
}

AttachmentRecord* NewWindowRecord(Poinz* segmentStart, Poinz* segmentEnd, float centreDistance) {
    AttachmentRecord* r = NewAttachmentRecordOnSegment(objtype::kWindow, segmentStart, segmentEnd, centreDistance);
    if (!r) return nullptr;
    const DocState* ds = CurrentDocState();
    r->style = ds->windowStyle;
    r->width = Plan(ds->windowWidth, ds);
    r->height = Plan(ds->windowHeight, ds);
    r->elevation = std::max(0.0f, Plan(ds->windowElevation, ds));
    r->sideFlag = gFlipWinHorizontal;
    r->directionFlag = gFlipWinVertical;
    r->frameFlag = ds->windowDivisions.x;  // its vertical bars
    r->trimWidth = ds->windowValue;
    SetTrims(r, kTrimTexture);
    return r;
}

AttachmentRecord* NewAccessoryRecord(Poinz* segmentStart, Poinz* segmentEnd, float centreDistance, uint8_t side) {
    AttachmentRecord* r = NewAttachmentRecordOnSegment(objtype::kAccessory, segmentStart, segmentEnd, centreDistance);
    if (!r) return nullptr;
    const DocState* ds = CurrentDocState();
    r->width = Plan(gdsAccessoryWidth, ds);
    r->height = Plan(gdsAccessoryHeight, ds);
    r->elevation = Plan(gdsAccessoryElevation, ds);
    r->sideFlag = side;
    r->swingOrOffset = gdsAccessoryWallOffset;
    r->frameFlag = 1;
    SetTrims(r, 0);
    return r;
}

void ComponentDefaultSize(int16_t symbol, float* width, float* height) {
    const DocState* ds = CurrentDocState();
    if (!width || !height || !ds) return;
    if (IsMarker(symbol)) {
        *width = 0;
        *height = kMarkerReach;
        return;
    }
    const Size s = ComponentSizeInches(symbol, ds);
    *width = Plan(s.width, ds);
    *height = Plan(s.height, ds);
}

AttachmentRecord* NewComponentRecord(int16_t symbol, Poinz* segmentStart, Poinz* segmentEnd, float centreDistance,
                                     uint8_t side) {
    AttachmentRecord* r = NewAttachmentRecordOnSegment(symbol, segmentStart, segmentEnd, centreDistance);
    if (!r) return nullptr;
    const DocState* ds = CurrentDocState();
    ComponentDefaultSize(symbol, &r->width, &r->height);
    r->elevation = ComponentElevation(symbol, ds);
    r->sideFlag = side;
    r->directionFlag = 1;
    r->frameFlag = 0;
    SetTrims(r, 0);
    return r;
}

RoofAttachmentRecord* NewSkylightRecord(Objex* skylight, int32_t sectionSubtype) {
    const DocState* ds = CurrentDocState();
    if (!skylight || !ds) return nullptr;
    RoofAttachmentRecord* r = new (std::nothrow) RoofAttachmentRecord{};
    if (!r) return nullptr;
    r->ownerType = objtype::kSkylight;
    r->style = ds->skylightStyle;
    r->width = Plan(ds->skylightWidth, ds);
    r->length = Plan(ds->skylightLength, ds);
    r->trimWidth = Plan(ds->skylightValue, ds);
    r->angle = kSkylightAngle;
    r->sectionSubtype = sectionSubtype;
    r->attachment = skylight;
    r->color1 = kSkylightColor;
    r->texture1 = kTrimTexture;
    TextureSize(kTrimTexture, r->textureScale1);
    r->color2 = kNoColor;
    return r;
}

RoofAttachmentRecord* NewDormerCutoutRecord(Objex* cutout, int32_t sectionSubtype) {
    if (!cutout || !CurrentDocState()) return nullptr;
    RoofAttachmentRecord* r = new (std::nothrow) RoofAttachmentRecord{};
    if (!r) return nullptr;
    r->ownerType = objtype::kRoofCutout;
    r->attachment = cutout;
    r->sectionSubtype = sectionSubtype;
    return r;
}
