#include "scene/plane_object.h"

#include <new>

#include "port/seam.h"

PlaneObject* gGLPlaneObjects = nullptr;
static const port::GlobalReset kReset([] { DeletePlaneObjectList(gGLPlaneObjects); });

PlaneObject* CreatePlaneObject() { return new (std::nothrow) PlaneObject{}; }

void DeletePlaneObjectList(PlaneObject*& head) {
    PlaneObject* p = head;
    head = nullptr;
    while (p) {
        PlaneObject* next = p->next;
        DeletePlaneObject(p);
        p = next;
    }
}

void DeletePlaneObject(PlaneObject* planeObject) {
    if (!planeObject) return;
    DeletePlaneObjectList(planeObject->masks);
    DeletePlaneObjectList(planeObject->trims);
    delete planeObject;
}

void AppendPlaneObjectToList(PlaneObject*& head, PlaneObject* planeObject) {
    if (!planeObject) return;
    PlaneObject** link = &head;
    PlaneObject* tail = nullptr;
    while (*link) {
        tail = *link;
        link = &tail->next;
    }
    planeObject->prev = tail;
    planeObject->next = nullptr;
    *link = planeObject;
}
