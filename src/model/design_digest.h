#pragma once
// A 64-bit digest of what a design's file would hold, taken from the records in memory: the
// settings record, the floors, every object with its children, points and type record. The
// selection is left out (which points are selected, the selection summaries), and so are the
// ID counters and what is generated from the design (3D pieces, wall solids, bounds). The gesture runner compares
// the digest before and after a gesture to store no undo step for one that changed nothing.
// One pass over the records, no file written.
#include <cstdint>

class QMDDocumentModel;

uint64_t DesignDigest(const QMDDocumentModel* doc);
