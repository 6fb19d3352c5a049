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
