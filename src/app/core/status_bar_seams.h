#pragma once
// The main document window's one-line status text. The window registers its status field;
// until then, or while the main window is not a document window, nothing is shown.
#include <string>

#include "port/seam.h"

// The whole new text, 8-bit Mac OS Roman (the readouts carry the degree mark 0xBC).
DVX_SEAM(MainWindowStatusText, "app", port::SeamKind::UserInterface, void(const std::string& text))
