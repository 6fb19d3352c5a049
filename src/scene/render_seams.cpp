#include "scene/render_seams.h"

#include <utility>

namespace {
std::function<void(Objex*)>& DeleteHandler() {
    static std::function<void(Objex*)> handler;
    return handler;
}
std::function<void()>& LotHandler() {
    static std::function<void()> handler;
    return handler;
}
std::function<void(Objex*)>& ReRenderHandler() {
    static std::function<void(Objex*)> handler;
    return handler;
}
std::function<void()>& AllLayersHandler() {
    static std::function<void()> handler;
    return handler;
}
std::function<void(Objex*)>& SingleHandler() {
    static std::function<void(Objex*)> handler;
    return handler;
}
std::function<void(Objex*)>& EntireHandler() {
    static std::function<void(Objex*)> handler;
    return handler;
}
}  // namespace

void DeleteRendererObject(Objex* object) {
    if (object && DeleteHandler()) DeleteHandler()(object);
}

void SetLotElevation() {
    if (LotHandler()) LotHandler()();
}

void ReRenderObject(Objex* object) {
    if (object && ReRenderHandler()) ReRenderHandler()(object);
}

void RenderAllLayers() {
    if (AllLayersHandler()) AllLayersHandler()();
}

void RenderSingleObject(Objex* object) {
    if (object && SingleHandler()) SingleHandler()(object);
}

void RenderEntireObject(Objex* object) {
    if (object && EntireHandler()) EntireHandler()(object);
}

void SetDeleteRendererObjectHandler(std::function<void(Objex*)> handler) {
    DeleteHandler() = std::move(handler);
}

void SetLotElevationHandler(std::function<void()> handler) {
    LotHandler() = std::move(handler);
}

void SetReRenderObjectHandler(std::function<void(Objex*)> handler) {
    ReRenderHandler() = std::move(handler);
}

void SetRenderAllLayersHandler(std::function<void()> handler) {
    AllLayersHandler() = std::move(handler);
}

void SetRenderSingleObjectHandler(std::function<void(Objex*)> handler) {
    SingleHandler() = std::move(handler);
}

void SetRenderEntireObjectHandler(std::function<void(Objex*)> handler) {
    EntireHandler() = std::move(handler);
}

void ResetSceneSeams() {
    DeleteHandler() = nullptr;
    LotHandler() = nullptr;
    ReRenderHandler() = nullptr;
    AllLayersHandler() = nullptr;
    SingleHandler() = nullptr;
    EntireHandler() = nullptr;
}
