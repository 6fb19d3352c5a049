#include "support/model_builders.h"

namespace dvxtest {

Objex* NewObject(int16_t type, int32_t subtype) {
    RGBColor black;
    FloatRect bounds;
    Objex* o = CreateObject(type, 0, 1, &black, &black, 1.0f, 6, 0, &bounds, nullptr, nullptr,
                            nullptr, nullptr, TypeData{});
    if (o) o->subtype = subtype;
    return o;
}

Objex* NewObjectOn(Layer* layer, int16_t type, int32_t subtype) {
    Objex* o = NewObject(type, subtype);
    AppendObjectToLayer(o, layer);
    return o;
}

void AddPoints(Objex* object, int count) {
    for (int i = 0; i < count; ++i) {
        Poinz* p = CreatePoint(1, 0, 0, 0, 0, 0, static_cast<float>(i * 10), 0, 0, 0, 0, 0, 0, 0, 0, object);
        AppendPointToObject(p, object);
    }
}

Objex* NewOutlineOn(Layer* layer, int16_t type, const std::vector<std::pair<float, float>>& at,
                    bool closed, int16_t rows, int32_t subtype) {
    Objex* o = layer ? NewObjectOn(layer, type, subtype) : NewObject(type, subtype);
    AddPoints(o, static_cast<int>(at.size()));
    Poinz* p = o->firstPoint;
    for (size_t i = 0; p && i < at.size(); ++i, p = p->next) p->position[0] = at[i].first, p->position[2] = at[i].second;
    o->closed = closed, o->rows = rows, o->planBits = 2;
    return o;
}

Poinz* PointAt(Objex* object, int index) {
    Poinz* p = object ? object->firstPoint : nullptr;
    for (int i = 0; p && i < index; ++i) p = p->next;
    return p;
}

int CountObjects(const Objex* head) {
    int n = 0;
    for (; head; head = head->next) ++n;
    return n;
}

int CountLayers(const Layer* head) {
    int n = 0;
    for (; head; head = head->next) ++n;
    return n;
}

}  // namespace dvxtest
