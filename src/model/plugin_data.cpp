#include "model/plugin_data.h"

#include <new>

#include "model/document_model.h"
#include "powertools/core/plugin_list_seams.h"

namespace {
PlugInData* AppendBlock(int32_t plugInID) {
    PlugInData* block = new (std::nothrow) PlugInData{};
    if (!block) return nullptr;
    block->plugInID = plugInID;
    PlugInData** link = &gCurDocument->itsPlugIns;
    PlugInData* tail = nullptr;
    while (*link) {
        tail = *link;
        link = &tail->next;
    }
    block->prev = tail;
    *link = block;
    return block;
}
}  // namespace

PlugInData* GetPlugInData(int32_t plugInID) {
    if (!gCurDocument) return nullptr;
    for (PlugInData* b = gCurDocument->itsPlugIns; b; b = b->next)
        if (b->plugInID == plugInID) return b;
    return nullptr;
}

void StorePlugInData(char* data, int32_t size, int32_t plugInID) {
    // The data is handed over: a block that cannot be stored must not leak it.
    if (!gCurDocument) {
        delete[] data;
        return;
    }
    PlugInData* block = GetPlugInData(plugInID);
    if (!block) block = AppendBlock(plugInID);
    if (!block) {
        delete[] data;
        return;
    }
    if (block->data != data) delete[] block->data;
    block->data = data;
    block->size = data ? size : 0;
}

void AppendPlugInDataToList(int32_t plugInID) {
    if (gCurDocument) AppendBlock(plugInID);
}

void CreatePlugInDataList() {
    if (!gCurDocument) return;
    for (int32_t id : LoadedPlugInIDs()) AppendPlugInDataToList(id);
}

void DeletePlugInDataList() {
    if (!gCurDocument) return;
    PlugInData* b = gCurDocument->itsPlugIns;
    gCurDocument->itsPlugIns = nullptr;
    while (b) {
        PlugInData* next = b->next;
        delete[] b->data;
        delete b;
        b = next;
    }
}
