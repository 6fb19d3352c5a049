#pragma once
// Copy and paste through the program's private buffer, the scrap (streams.h), instead of the
// platform pasteboard. A copy writes the selected objects as a design-file object section at
// version 11100 (no layer records, end tag 400); a paste reads it back onto the floor the
// objects came from, centred in the window and offset so that repeated pastes do not stack.
// The scrap outlives documents: pasted into another document, palette links become plain
// values (and link again to matching entries of that document's palette).
#include <cstdint>

#include "model/objects.h"

// Name of the current layer at the last copy (empty before the first copy).
extern char gClipboardLayerName[kLayerNameSize];
// That layer as it was at the copy. It may be gone since: kept for identity only and never
// dereferenced; the paste finds its floor by name.
extern const Layer* gClipboardLayer;
// The `itsSerial` of the document copied from (0 before the first copy). Serials are never
// reused, so a later document at the same address is never taken for the source.
extern uint64_t gClipboardDoc;
// Offset of the next paste along H and D, plan units: 0 after a copy, 36 more per paste.
extern float gPasteOffset;
// Set by the command layer while a mirror (copy, paste, flip) runs: the paste then stays
// where the copy was.
extern uint8_t gMirroring;

// Copies the selection of the current document into the scrap; true when it wrote it. Nothing
// without a current document and settings record, or while a file is being read or written.
bool DoCopyObjects();
// Pastes the scrap into the current document. Nothing without a current document and
// settings record, with an empty scrap, or while a file is being read or written. A scrap
// cut short (no end tag) gives only the records it holds whole.
void DoPasteObjects();
