#pragma once
// A wall component's library parts fitted to its opening: after the symbol's fresh parts were
// hung on the component, they take over the materials a user gave the old ones, stretch to the
// record's size (the stretchable subtypes), turn to the wall segment and stand on the face of
// the wall the record's hand names. The old parts are then deleted.
struct Objex;

void FitComponentParts(Objex* component, Objex* oldParts);
