// Any bytes as a palette file: opening it must stay inside the input, end, and either fill
// the palette completely or leave it as it was.
#include "files/palettes.h"
#include "files/streams.h"
#include "model/document_model.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QMDDocumentModel* doc = QMDDocumentModel::alloc()->init();
    static const std::string path = "/tmp/fuzz_palette_file." + std::to_string(getpid());
    if (!doc) return 0;
    gCurDocument = doc;
    if (!GetActiveDocPaletteList() && doc->itsPaletteList) doc->itsPaletteList->active = 1;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
    PaletteFileOpen(path.c_str(), GetCurrentPaletteList());
    std::remove(path.c_str());
    return 0;
}
