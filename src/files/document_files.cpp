#include "files/document_files.h"

#include "files/content_paths.h"
#include "files/palettes.h"
#include "files/undo.h"
#include "model/document_file_hooks.h"

void RegisterDocumentFileHooks() {
    const auto addActive = [] {
        if (DocPaletteList* palette = AddNewDocPaletteList()) palette->active = 1;
    };
    SetDocumentFileHooks({addActive, DeleteDocPalette, DeleteAllDocPalettes, InitializeUndo, UndoSnapshotFolder});
}
