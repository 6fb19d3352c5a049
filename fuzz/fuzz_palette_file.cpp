// Any bytes as a palette file: opening it must stay inside the input, end, and either fill
// the palette completely or leave it as it was.
#include "files/palettes.h"
#include "files/streams.h"
#include "fuzz_support.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QMDDocumentModel* doc = fuzz::CurrentDocument();
    if (!doc) return 0;
    if (!GetActiveDocPaletteList() && doc->itsPaletteList) doc->itsPaletteList->active = 1;
    const char* path = fuzz::WriteInputFile("fuzz_palette_file", data, size);
    if (!path) return 0;
    PaletteFileOpen(path, GetCurrentPaletteList());
    std::remove(path);
    return 0;
}
