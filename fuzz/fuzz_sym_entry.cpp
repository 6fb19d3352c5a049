// Any bytes as a dropped content record: the decoder must not read past them, and a record it
// takes must be the one its entry writes back.
#include "model/sym_entry.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SymEntryInfo entry;
    entry.objectData = "kept";
    if (!entry.decodeSymEntryWithData(data, size)) {
        if (entry.objectData != "kept" || entry.type != 0) std::abort();
        return 0;
    }
    const std::vector<uint8_t> again = entry.encodeSymEntry();
    if (again.size() > size || std::memcmp(again.data(), data, again.size()) != 0) std::abort();
    return 0;
}
