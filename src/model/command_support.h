#pragma once
// Small pieces shared by the command rows of the walkers.
#include <cstdint>
#include <initializer_list>

#include "model/objects.h"
#include "model/transforms.h"
#include "model/walkers.h"

struct DocState;

namespace cmdsupport {

inline bool TypeIn(const Objex* object, std::initializer_list<int16_t> types) {
    for (int16_t t : types)
        if (object->type == t) return true;
    return false;
}

inline DocState* DocStateParam(CommandParam param) { return static_cast<DocState*>(param); }
inline TransformRecord* RecordParam(CommandParam param) { return static_cast<TransformRecord*>(param); }

// The parameter as a 16-bit value, as the pattern and field commands store it.
inline int16_t Int16Param(CommandParam param) {
    return static_cast<int16_t>(CommandParamToInt(param));
}

// The attachment record of a door, window, deck steps, component or accessory, or null.
inline AttachmentRecord* AttachmentOf(Objex* object) {
    if (!object || object->typeData.kind != TypeDataKind::Attachment) return nullptr;
    return object->typeData.attachment;
}

// Middle of the object's stored 3D bounds in H and D.
inline void Centre3D(const Objex* object, float* h, float* d) {
    const Float3DRect& b = object->bounds3D;
    *h = b.floatLeft + (b.floatRight - b.floatLeft) * 0.5f;
    *d = b.floatBack + (b.floatFront - b.floatBack) * 0.5f;
}

// A command-form record that only moves, by (h, v, d).
inline TransformRecord Translation(float h, float v, float d) {
    TransformRecord record;
    record.values[xform::kTranslateH] = h;
    record.values[xform::kTranslateH + 1] = v;
    record.values[xform::kTranslateH + 2] = d;
    record.values[xform::kScaleH] = 1.0f;
    record.values[xform::kScaleH + 1] = 1.0f;
    record.values[xform::kScaleH + 2] = 1.0f;
    return record;
}

}  // namespace cmdsupport
