#include "model/document_file_hooks.h"

#include "port/seam.h"

namespace {
DocumentFileHooks sHooks;
const port::GlobalReset kReset([] { sHooks = {}; });
}  // namespace

void SetDocumentFileHooks(const DocumentFileHooks& hooks) { sHooks = hooks; }
const DocumentFileHooks& DocumentFiles() { return sHooks; }
