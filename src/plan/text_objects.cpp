#include "plan/text_objects.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/core/main_window_seams.h"
#include "model/bounds.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "plan/annotations/plan_text.h"
#include "plan/base_2d_view.h"

namespace {

constexpr int kH = 0, kD = 2;
constexpr double kRadiansPerDegree = 0.017453292519943295;

// The first four points, or false.
bool FourPoints(const Objex* o, Poinz* p[4]) {
    Poinz* q = o->firstPoint;
    for (int i = 0; i < 4; ++i, q = q->next) {
        if (!q) return false;
        p[i] = q;
    }
    return true;
}

const char* TextOf(const Objex* o) { return o->typeData.text ? o->typeData.text->text : nullptr; }
const LOGFONT* FontOf(const Objex* o) { return o->typeData.text ? &o->typeData.text->font : nullptr; }

}  // namespace

void DrawTextStandardObject(void* dc, const Objex* object) {
    Poinz* p[4];
    if (!object || !CurrentDocState() || !FourPoints(object, p)) return;
    const float h1 = p[0]->position[kH], d1 = p[0]->position[kD];
    const float h3 = p[2]->position[kH], d3 = p[2]->position[kD];
    FloatRect box;
    box.floatTop = std::min(d1, d3), box.floatBottom = std::max(d1, d3);
    box.floatLeft = std::min(h1, h3), box.floatRight = std::max(h1, h3);
    DrawStandardText(dc, TextOf(object), &box, FontOf(object), objfield::text_object::Alignment(*object));
}

void DrawTextDynamicObject(void* dc, Objex* object) {
    Poinz* p[4];
    Base2DView* view = MainWindowDocumentView();
    if (!object || !view || !CurrentDocState() || !FourPoints(object, p)) return;
    const float qh = (p[0]->position[kH] + p[2]->position[kH]) / 2.0f;
    const float qd = (p[0]->position[kD] + p[2]->position[kD]) / 2.0f;
    const PlatformSize size = view->textMetricsForString(TextOf(object), FontOf(object));
    const int32_t hw = static_cast<int32_t>(size.width / 2), hh = static_cast<int32_t>(size.height / 2);
    if (hw <= 0) return;
    objfield::text_object::kHalfWidth(*object) = hw;
    const float degrees = objfield::text_object::kAngle(*object);
    const float t = static_cast<float>(degrees * kRadiansPerDegree);
    float uh = 0, ud = 0, nh = 0, nd = 0;
    GetPointFromLengthAndAngle(t, static_cast<float>(hw), &uh, &ud);
    GetPointFromLengthAndAngle(t + static_cast<float>(M_PI / 2), static_cast<float>(hh), &nh, &nd);
    const float corner[4][2] = {{qh - uh - nh, qd - ud - nd}, {qh + uh - nh, qd + ud - nd},
                                {qh + uh + nh, qd + ud + nd}, {qh - uh + nh, qd - ud + nd}};
    for (int i = 0; i < 4; ++i) p[i]->position[kH] = corner[i][0], p[i]->position[kD] = corner[i][1];
    FloatRect bounds{32000, 32000, -32000, -32000};
    GetObjectBounds(object, 0, &bounds, 0, 0);
    Float3DRect bounds3D{32000, 32000, 32000, -32000, -32000, -32000};
    GetObject3DBounds(object, 0, &bounds3D, 0);
    // Every draw refits the frame; only a frame that moved is an edit of the design.
    const bool moved = std::memcmp(&bounds, &object->bounds, sizeof bounds) != 0 ||
                       std::memcmp(&bounds3D, &object->bounds3D, sizeof bounds3D) != 0;
    object->bounds = bounds;
    object->bounds3D = bounds3D;
    if (moved) PlanIndexBoundsChanged(object);
    DrawRotatedText(dc, TextOf(object), qh, qd, degrees, FontOf(object));
}
