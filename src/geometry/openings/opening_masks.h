#pragma once
// The outline of a door or window opening as the wall carving laid it out, kept on the
// opening's record (the head of its first part list) for the trims that case the opening.
#include <cstdint>

struct AttachmentRecord;
struct Objex;
struct PolygonVertex;

// A closed type-29 outline with one point per vertex, taken back into the opening's own frame:
// turned by pi about the pivot on side 1 (`turn`), then by 2 pi - `angle`, and made relative
// to the pivot, so x runs along the wall and z across it; y is the vertex's plus the record's
// elevation and `elevationOffset`. Whatever the record's first list held is freed first, so
// carving a face again never leaves an outline behind. The outline joins no layer. Null (and
// the list empty) without a document, its current layer or memory; null without the record
// or the vertices (the list untouched).
Objex* BuildGenericMaskObject(AttachmentRecord* record, const PolygonVertex* vertices,
                              int32_t count, float angle, float elevationOffset, float pivotH,
                              float pivotV, float pivotD, int16_t turn);
