// Any bytes as an undo snapshot: restoring it must stay inside the input, end, free the
// stream buffers, and leave a model that can be written again. A document left without its
// floors is replaced by a fresh one.
#include "files/design_file.h"
#include "files/streams.h"
#include "files/undo.h"
#include "fuzz_support.h"

#include <cstdint>
#include <cstdlib>

namespace {
constexpr const char* kName = "fuzz_undo_snapshot";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Undo files of the target's own, never beside a running program's.
    static const bool ready = (fuzz::UseScratchFolders(kName), true);
    (void)ready;
    // A fresh document stores no first snapshot: the restore reads only the input, and
    // writing one to disk for every document cost more than the restore.
    gUndoActive = 0;
    QMDDocumentModel* doc = fuzz::CurrentDocument(64);
    if (!doc) return 0;
    const fuzz::ServedInput input(kName, data, size);
    gUndoActive = 1;
    const int restored = RestoreState(input.path());
    if (DesignFileBusy() || !gInDataBuffer.empty()) std::abort();
    if (restored && !ChooseCurrentFloorAfterRead()) std::abort();
    StartOutputBuffer();
    BuildDesignFile();
    // Emptied but kept: the next input writes about as much, and growing the buffer again
    // from nothing cost more than the write itself.
    StartOutputBuffer();
    if (!restored && !ChooseCurrentFloorAfterRead()) fuzz::RenewDocument();
    return 0;
}
