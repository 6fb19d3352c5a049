#include "plan/plan_labels.h"

#include <string>

#include "app/core/localization_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/readouts.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/annotations/plan_text.h"

namespace {

constexpr int kH = 0, kD = 2;

const Poinz* LastPoint(const Objex* o) {
    const Poinz* p = o->firstPoint;
    while (p && p->next) p = p->next;
    return p;
}

// First point to last as a readout without lines.
void ReadoutFirstToLast(void* dc, const Objex* o, const char* extra) {
    const Poinz* a = o->firstPoint;
    const Poinz* b = LastPoint(o);
    DrawDimensionLine(dc, a->position[kH], a->position[kD], b->position[kH], b->position[kD], a->position[kH],
                      a->position[kD], b->position[kH], b->position[kD], 1, 5.0f, 0, o, a, 0, 0, 0.0f, 1, extra);
}

}  // namespace

void DrawDeck(void* dc, const Objex* deck) {
    if (!CurrentDocState() || !deck) return;
    const Float3DRect& b = deck->bounds3D;
    DrawNormalText(dc, LocalizedString("DECK").c_str(), (b.floatLeft + b.floatRight) / 2.0f,
                   (b.floatBack + b.floatFront) / 2.0f, 0.0f);
}

void DrawPath(void* dc, const Objex* path) {
    const DocState* ds = CurrentDocState();
    if (!ds || !path || !ds->showDimensions || !path->firstPoint) return;
    ReadoutFirstToLast(dc, path, nullptr);
}

void DrawSprinkler(void* dc, const Objex* sprinkler) {
    const DocState* ds = CurrentDocState();
    if (!ds || !sprinkler || !ds->showDimensions || !sprinkler->firstPoint) return;
    const std::string radius = LocalizedString(" R");
    ReadoutFirstToLast(dc, sprinkler, radius.c_str());
    char angle[64] = {};
    ConvertAngleToStr(objfield::sprinkler::kArcAngle(*sprinkler), angle);
    const std::string text = LocalizedFormat("%s%s", {angle, LocalizedString(" Sprinkler").c_str()});
    const Poinz* last = LastPoint(sprinkler);
    DrawNormalText(dc, text.c_str(), last->position[kH], last->position[kD] - 15.0f, 0.0f);
}
