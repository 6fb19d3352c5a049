#pragma once
// What the model asks of the application shell: the open documents' IDs and the main
// window's document. Until the shell registers itself: no other documents, no main window
// document.
#include <cstdint>

#include "port/seam.h"

// True when another open document (known to the shell) uses the ID.
DVX_SEAM(IsOpenDocumentIDInUse, "app", port::SeamKind::UserInterface, bool(int32_t docID))
// The main window's document: `updateChangeCount:` and `setFileName:` (null: untitled).
DVX_SEAM(MainWindowDocumentUpdateChangeCount, "app", port::SeamKind::UserInterface, void(int change))
DVX_SEAM(MainWindowDocumentSetFileName, "app", port::SeamKind::UserInterface, void(const char* fileName))
