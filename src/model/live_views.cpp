#include "model/live_views.h"

#include <cstring>
#include <new>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/render_state.h"

namespace {

// The camera fields share their names with the settings record; one list copies both ways.
template <typename From, typename To>
void CopyCamera(const From& f, To& t) {
    t.cameraMode = f.cameraMode;
    t.navigationFlag = f.navigationFlag;
    t.flyValueA = f.flyValueA;
    t.flyValueB = f.flyValueB;
    t.cameraHeading = f.cameraHeading;
    t.cameraPosition = f.cameraPosition;
    t.flyAltitude = f.flyAltitude;
    t.eyeHeight = f.eyeHeight;
    t.lightOffset = f.lightOffset;
    t.cutAwayPosition = f.cutAwayPosition;
    t.cutAwayKind = f.cutAwayKind;
    t.renderValue = f.renderValue;
    t.liveViewFlag = f.liveViewFlag;
    t.liveViewValue = f.liveViewValue;
    t.liveViewFlagB = f.liveViewFlagB;
    t.liveViewFlagC = f.liveViewFlagC;
    t.navigationValue = f.navigationValue;
    t.renderMode = f.renderMode;
    t.renderFlag = f.renderFlag;
    t.renderSetting = f.renderSetting;
    t.lightValue = f.lightValue;
    t.sunOn = f.sunOn;
    t.sunAngle = f.sunAngle;
    t.sunValueB = f.sunValueB;
    t.sunValueD = f.sunValueD;
    t.cameraValue = f.cameraValue;
    t.lightIntensity = f.lightIntensity;
    t.lightFlag = f.lightFlag;
}

void CopyName(char* to, size_t size, const char* from) {
    const size_t n = strnlen(from, size - 1);
    std::memcpy(to, from, n);
    to[n] = '\0';
}

}  // namespace

LiveViewsList* AddLiveViewsListEntry() {
    DocState* ds = CurrentDocState();
    if (!ds) return nullptr;
    LiveViewsList* entry = new (std::nothrow) LiveViewsList{};
    if (!entry) return nullptr;
    CopyCamera(*ds, *entry);
    LiveViewsList** link = &gCurDocument->itsLiveViews;
    LiveViewsList* tail = nullptr;
    while (*link) {
        tail = *link;
        link = &tail->next;
    }
    entry->prev = tail;
    *link = entry;
    return entry;
}

int32_t CountLiveViewsList() {
    if (!gCurDocument) return 0;
    int32_t n = 0;
    for (LiveViewsList* v = gCurDocument->itsLiveViews; v; v = v->next) ++n;
    return n;
}

void DeleteLiveViewsListEntry(LiveViewsList* entry) {
    if (!entry || !gCurDocument) return;
    if (entry->prev) entry->prev->next = entry->next;
    else if (gCurDocument->itsLiveViews == entry) gCurDocument->itsLiveViews = entry->next;
    if (entry->next) entry->next->prev = entry->prev;
    delete entry;
}

void SetCurrentLiveView(int32_t index) {
    DocState* ds = CurrentDocState();
    if (!ds || index < 1) return;
    LiveViewsList* v = gCurDocument->itsLiveViews;
    for (int32_t i = 1; v && i < index; ++i) v = v->next;
    if (!v) return;
    CopyCamera(*v, *ds);
    CopyName(ds->currentLiveView, sizeof ds->currentLiveView, v->name);
    gRefreshRender = 1;
}

LiveViewsList* GetLiveViewFromName(const char* name) {
    if (!name || !CurrentDocState()) return nullptr;
    for (LiveViewsList* v = gCurDocument->itsLiveViews; v; v = v->next)
        if (std::strcmp(v->name, name) == 0) return v;
    return nullptr;
}

void UpdateCurrentLiveView() {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    char name[sizeof ds->currentLiveView];
    CopyName(name, sizeof name, ds->currentLiveView);
    if (LiveViewsList* v = GetLiveViewFromName(name)) CopyCamera(*ds, *v);
}

void DeleteLiveViewsList() {
    if (!gCurDocument) return;
    LiveViewsList* v = gCurDocument->itsLiveViews;
    gCurDocument->itsLiveViews = nullptr;
    while (v) {
        LiveViewsList* next = v->next;
        delete v;
        v = next;
    }
}
