#include "model/smoothing.h"

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/splines.h"

namespace {

constexpr int H = 0;
constexpr int V = 1;
constexpr int D = 2;

// The two coordinates of the view's plane; false for a view without one.
bool PlaneAxes(int16_t viewKind, int* first, int* second) {
    switch (viewKind) {
    case 2: *first = H; *second = D; return true;
    case 1: *first = H; *second = V; return true;
    case 3: *first = D; *second = V; return true;
    default: return false;
    }
}

void SmoothPoint(Poinz* p, const Poinz* a, const Poinz* b, float tension, int axis) {
    float deriv = 0.0f;
    GetUniformTensionDeriv(a->position[axis], b->position[axis], tension, &deriv);
    float ca = 0.0f, cb = 0.0f, cc = 0.0f, cd = 0.0f;
    SetupSequencedSpline(p->position[axis], b->position[axis], deriv, deriv, &ca, &cb, &cc, &cd);
    const float tangent = GetTangentSplineCoord(ca, cb, cc, 0.0f, 0.0f);
    p->outTangent[axis] = tangent;
    p->inTangent[axis] = tangent;
}

void Smooth(Objex* object, bool onlySelected) {
    const DocState* ds = CurrentDocState();
    if (!object || !ds || !object->firstPoint) return;
    int first = 0, second = 0;
    if (!PlaneAxes(ds->viewKind, &first, &second)) return;
    const float tension = static_cast<float>(ds->curveTension) / 10.0f;

    Poinz* head = object->firstPoint;
    Poinz* last = head;
    while (last->next) last = last->next;
    for (Poinz* p = head; p; p = p->next) {
        if (onlySelected && !p->selected) continue;
        // The ends of an open outline have no neighbour on one side and keep their tangents.
        const Poinz* a = p->prev ? p->prev : (object->closed ? last : nullptr);
        const Poinz* b = p->next ? p->next : (object->closed ? head : nullptr);
        if (!a || !b) continue;
        SmoothPoint(p, a, b, tension, first);
        SmoothPoint(p, a, b, tension, second);
    }
}

void Unsmooth(Objex* object, bool onlySelected) {
    if (!object) return;
    for (Poinz* p = object->firstPoint; p; p = p->next) {
        if (onlySelected && !p->selected) continue;
        for (int i = 0; i < 3; ++i) p->inTangent[i] = p->outTangent[i] = 0.0f;
    }
}

bool SmoothsByCommand(int16_t type) {
    switch (type) {
    case objtype::kPropertyLine:
    case objtype::kEdging:
    case objtype::kFill:
    case objtype::kGroundFill:
    case objtype::kStaircase:
    case objtype::kRailing:
        return true;
    default:
        return false;
    }
}

}  // namespace

void SmoothObject(Objex* object) { Smooth(object, false); }
void SmoothSelectedObject(Objex* object) { Smooth(object, true); }
void UnsmoothObject(Objex* object) { Unsmooth(object, false); }
void UnsmoothSelectedObject(Objex* object) { Unsmooth(object, true); }

void ObjectSmoothing(Objex* object) {
    if (!object) return;
    if (SmoothsByCommand(object->type))
        SmoothObject(object);
    else
        SelectObj(object, 2, 0);
}

void ObjectStraightening(Objex* object) {
    if (!object) return;
    if (SmoothsByCommand(object->type))
        UnsmoothObject(object);
    else
        SelectObj(object, 2, 0);
}
