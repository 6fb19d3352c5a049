#pragma once
// What a document model asks of the files when it is made, replaced and freed: its palette
// list, its undo start and its undo files' folder. The files register them at start-up
// (RegisterDocumentFileHooks, files/document_files.h); until then a model has no palette, no
// undo state and no undo files to remove.
#include <string>

struct DocPaletteList;

struct DocumentFileHooks {
    void (*addActiveDocPaletteList)() = nullptr;  // a new document's first palette list, active
    void (*deleteDocPalette)(DocPaletteList* palette) = nullptr;
    void (*deleteAllDocPalettes)() = nullptr;
    void (*initializeUndo)() = nullptr;
    std::string (*undoFolder)() = nullptr;
};
void SetDocumentFileHooks(const DocumentFileHooks& hooks);
const DocumentFileHooks& DocumentFiles();
