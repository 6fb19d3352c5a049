// Any bytes as a 2D symbol file: the reader must stay inside the input and end, put nothing
// into the document, and leave no layer link in the symbol. The symbol is emptied between
// inputs.
#include "files/symbol2d_files.h"
#include "fuzz_support.h"
#include "model/deletion.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QMDDocumentModel* doc = fuzz::CurrentDocument();
    if (!doc) return 0;
    const char* path = fuzz::WriteInputFile("fuzz_symbol2d", data, size);
    if (!path) return 0;
    Objex symbol{};
    symbol.type = (size & 1) ? 68 : 55;
    Symbol2DFileRead(path, &symbol);
    std::remove(path);
    for (Layer* l = doc->itsLayers; l; l = l->next)
        if (l->firstObject) std::abort();
    for (Objex* c = symbol.firstChild; c; c = c->next)
        if (c->layer || c->parent != &symbol) std::abort();
    while (symbol.firstChild) DeleteObj(symbol.firstChild);
    // The symbol lives on this frame only: no global may remember it (the selection roster
    // noted it as its members' root) once the frame is gone.
    ForgetObjectInGlobals(&symbol);
    return 0;
}
