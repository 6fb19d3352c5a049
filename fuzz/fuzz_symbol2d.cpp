// Any bytes as a 2D symbol file: the reader must stay inside the input and end, put nothing
// into the document, and leave no layer link in the symbol. The symbol is emptied between
// inputs.
#include "files/symbol2d_files.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QMDDocumentModel* doc = QMDDocumentModel::alloc()->init();
    static const std::string path = "/tmp/fuzz_symbol2d." + std::to_string(getpid());
    if (!doc) return 0;
    gCurDocument = doc;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
    Objex symbol{};
    symbol.type = (size & 1) ? 68 : 55;
    Symbol2DFileRead(path.c_str(), &symbol);
    std::remove(path.c_str());
    for (Layer* l = doc->itsLayers; l; l = l->next)
        if (l->firstObject) std::abort();
    for (Objex* c = symbol.firstChild; c; c = c->next)
        if (c->layer || c->parent != &symbol) std::abort();
    while (symbol.firstChild) DeleteObj(symbol.firstChild);
    return 0;
}
