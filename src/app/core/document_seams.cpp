#include "app/core/document_seams.h"

namespace {
std::function<bool(int32_t)>& IDQuery() {
    static std::function<bool(int32_t)> query;
    return query;
}
MainWindowDocumentHooks& Hooks() {
    static MainWindowDocumentHooks hooks;
    return hooks;
}
}  // namespace

bool IsOpenDocumentIDInUse(int32_t docID) {
    return IDQuery() ? IDQuery()(docID) : false;
}

void SetOpenDocumentIDQuery(std::function<bool(int32_t)> query) {
    IDQuery() = std::move(query);
}

void MainWindowDocumentUpdateChangeCount(int change) {
    if (Hooks().updateChangeCount) Hooks().updateChangeCount(change);
}

void MainWindowDocumentSetFileName(const char* fileName) {
    if (Hooks().setFileName) Hooks().setFileName(fileName);
}

void SetMainWindowDocumentHooks(MainWindowDocumentHooks hooks) {
    Hooks() = std::move(hooks);
}

void ResetDocumentSeams() {
    SetOpenDocumentIDQuery(nullptr);
    SetMainWindowDocumentHooks({});
}
