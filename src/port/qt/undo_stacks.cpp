#include "port/qt/platform.h"

#include <QUndoStack>

#include <map>

namespace port::qt {
namespace {

struct Connection {
    QUndoStack* stack = nullptr;
    QtDocumentUndo::CommandFactory make;
    std::function<void()> changed;
    bool undoing = false;
};

std::map<const void*, Connection>& connections() {
    static std::map<const void*, Connection> all;
    return all;
}

Connection* find(const void* model) {
    auto it = connections().find(model);
    return it == connections().end() ? nullptr : &it->second;
}

} // namespace

void QtDocumentUndo::connectStack(const void* model, QUndoStack* stack, CommandFactory make,
                                  std::function<void()> changed) {
    connections()[model] = Connection{stack, std::move(make), std::move(changed), false};
}

void QtDocumentUndo::disconnectStack(const void* model) { connections().erase(model); }

void QtDocumentUndo::setUndoing(const void* model, bool undoing) {
    if (Connection* c = find(model)) c->undoing = undoing;
}

bool QtDocumentUndo::canUndo(const void* model) {
    Connection* c = find(model);
    return c && c->stack->canUndo();
}

bool QtDocumentUndo::canRedo(const void* model) {
    Connection* c = find(model);
    return c && c->stack->canRedo();
}

bool QtDocumentUndo::isUndoing(const void* model) {
    Connection* c = find(model);
    return c && c->undoing;
}

void QtDocumentUndo::setActionName(const void* model, const std::string& name) {
    Connection* c = find(model);
    if (c && c->make) c->stack->push(c->make(name));
}

void QtDocumentUndo::markChanged(const void* model) {
    Connection* c = find(model);
    if (c && c->changed) c->changed();
}

} // namespace port::qt
