#include "model/rebuild_table.h"

#include <map>
#include <utility>

#include "model/objects.h"
#include "model/scoped_restore.h"

#include "port/seam.h"

namespace rebuild {
namespace {

struct Entry {
    Builder build = nullptr;
    Scope scope = Scope::Object;
};
// Every registered rebuild by type, and the scene's hooks (made on first use: registration may
// run from another file's static initializer).
std::map<int16_t, Entry>& Entries() {
    static std::map<int16_t, Entry> entries;
    return entries;
}
std::map<int16_t, Builder>& Refits() {
    static std::map<int16_t, Builder> refits;
    return refits;
}
SceneHooks& Scene() {
    static SceneHooks hooks;
    return hooks;
}

// The open ground batches, whether a terrain object changed inside them, and whether their
// work is being done (the scene then builds at once).
int sGroundBatches = 0;
bool sGroundMoved = false;
bool sWholeScene = false;  // a whole build asked for inside them
bool sSettling = false;

const port::GlobalReset kReset([] {
    Entries().clear();
    Refits().clear();
    Scene() = {};
    sGroundBatches = 0;
    sGroundMoved = false;
    sWholeScene = false;
    sSettling = false;
});

}  // namespace

void Register(int16_t type, Builder build, Scope scope) {
    if (build) Entries()[type] = {build, scope};
    else Entries().erase(type);
}

bool Run(Objex* object, uint8_t scopes) {
    if (!object) return false;
    const auto it = Entries().find(object->type);
    if (it == Entries().end() || !(scopes & uint8_t(it->second.scope))) return false;
    it->second.build(object);
    return true;
}

std::vector<int16_t> RegisteredTypes(uint8_t scopes) {
    std::vector<int16_t> types;
    for (const auto& [type, entry] : Entries())
        if (scopes & uint8_t(entry.scope)) types.push_back(type);
    return types;
}

void RegisterRefit(int16_t type, Builder refit) {
    if (refit) Refits()[type] = refit;
    else Refits().erase(type);
}

void RefitAttachments(Objex* host) {
    if (!host) return;
    const auto it = Refits().find(host->type);
    if (it != Refits().end()) it->second(host);
}

void RegisterScene(const SceneHooks& hooks) { Scene() = hooks; }

void ReRenderObject(Objex* object) {
    if (Scene().reRenderObject) Scene().reRenderObject(object);
}
void RenderEntireObject(Objex* object) {
    if (Scene().renderEntireObject) Scene().renderEntireObject(object);
}
void RenderSingleObject(Objex* object) {
    if (Scene().renderSingleObject) Scene().renderSingleObject(object);
}
void RenderAllLayers() {
    if (GroundHeld()) {
        sWholeScene = true;
        return;
    }
    if (Scene().renderAllLayers) Scene().renderAllLayers();
}
void DeleteRendererObject(Objex* object) {
    if (Scene().deleteRendererObject) Scene().deleteRendererObject(object);
}
void DeleteDocumentRendererObjects(const QMDDocumentModel* doc) {
    if (Scene().deleteDocumentRendererObjects) Scene().deleteDocumentRendererObjects(doc);
}
bool SceneHasPieces() { return Scene().hasPieces && Scene().hasPieces(); }
bool ScenePieceShowsTexture(int32_t texture) {
    return Scene().pieceShowsTexture && Scene().pieceShowsTexture(texture);
}
void SetLotElevation() {
    if (GroundHeld()) {
        sGroundMoved = true;
        return;
    }
    if (Scene().setLotElevation) Scene().setLotElevation();
}

GroundBatch::GroundBatch() { ++sGroundBatches; }
GroundBatch::~GroundBatch() {
    if (--sGroundBatches == 0) SettleGround();
}

bool GroundHeld() { return sGroundBatches > 0 && !sSettling; }

void SettleGround() {
    if (sSettling) return;
    const bool moved = std::exchange(sGroundMoved, false);
    const bool whole = std::exchange(sWholeScene, false);
    dvx::Restore<bool> settling(sSettling, true);
    if (Scene().settleGround) return Scene().settleGround(moved, whole);
    if (moved && Scene().setLotElevation) Scene().setLotElevation();
    if (whole && Scene().renderAllLayers) Scene().renderAllLayers();
}

}  // namespace rebuild
