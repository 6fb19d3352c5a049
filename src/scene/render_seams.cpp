#include "scene/render_seams.h"

namespace {
std::function<void(Objex*)>& DeleteHandler() {
    static std::function<void(Objex*)> handler;
    return handler;
}
std::function<void()>& LotHandler() {
    static std::function<void()> handler;
    return handler;
}
}  // namespace

void DeleteRendererObject(Objex* object) {
    if (object && DeleteHandler()) DeleteHandler()(object);
}

void SetLotElevation() {
    if (LotHandler()) LotHandler()();
}

void SetDeleteRendererObjectHandler(std::function<void(Objex*)> handler) {
    DeleteHandler() = std::move(handler);
}

void SetLotElevationHandler(std::function<void()> handler) {
    LotHandler() = std::move(handler);
}

void ResetSceneSeams() {
    DeleteHandler() = nullptr;
    LotHandler() = nullptr;
}
