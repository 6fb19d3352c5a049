#pragma once
// What the model asks of the application shell: the open documents' IDs and the main
// window's document. With nothing registered: no other documents, no main window document.
#include <cstdint>
#include <functional>

// True when another open document (known to the shell) uses the ID.
bool IsOpenDocumentIDInUse(int32_t docID);
void SetOpenDocumentIDQuery(std::function<bool(int32_t)> query);

// The main window's document: `updateChangeCount:` and `setFileName:` (null: untitled).
void MainWindowDocumentUpdateChangeCount(int change);
void MainWindowDocumentSetFileName(const char* fileName);
struct MainWindowDocumentHooks {
    std::function<void(int)> updateChangeCount;
    std::function<void(const char*)> setFileName;
};
void SetMainWindowDocumentHooks(MainWindowDocumentHooks hooks);

void ResetDocumentSeams();
