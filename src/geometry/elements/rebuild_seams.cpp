#include "geometry/elements/rebuild_seams.h"

#include <utility>

namespace {

struct Handlers {
    ElementRebuildHandler edging;
    ElementRebuildHandler fence;
    ElementRebuildHandler stair;
    ElementRebuildHandler rail;
    std::function<void(Objex*, float, float, float)> skylightSymbols;
};

Handlers& H() {
    static Handlers handlers;
    return handlers;
}

void Call(const ElementRebuildHandler& handler, Objex* object) {
    if (object && handler) handler(object);
}

}  // namespace

void UpdateEdgingObject(Objex* object) { Call(H().edging, object); }
void UpdateFenceObject(Objex* object) { Call(H().fence, object); }
void UpdateStairObject(Objex* object) { Call(H().stair, object); }
void UpdateRailObject(Objex* object) { Call(H().rail, object); }
void CreateCustomSkylightSymbols(Objex* skylight, float centreH, float centreD, float angle) {
    if (skylight && H().skylightSymbols) H().skylightSymbols(skylight, centreH, centreD, angle);
}

void SetUpdateEdgingObjectHandler(ElementRebuildHandler h) { H().edging = std::move(h); }
void SetUpdateFenceObjectHandler(ElementRebuildHandler h) { H().fence = std::move(h); }
void SetUpdateStairObjectHandler(ElementRebuildHandler h) { H().stair = std::move(h); }
void SetUpdateRailObjectHandler(ElementRebuildHandler h) { H().rail = std::move(h); }
void SetCreateCustomSkylightSymbolsHandler(std::function<void(Objex*, float, float, float)> h) {
    H().skylightSymbols = std::move(h);
}

void ResetElementRebuildSeams() { H() = Handlers{}; }
