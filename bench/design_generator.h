#pragma once
// Large designs for benchmarks: a repeating neighbourhood of walls (each with a hand-made
// two-row plan solid, a door and a window), straight and curved outlines, curved paths,
// floors, roofs with generated panels, nested groups and plants, spread over the three
// floors. Deterministic for a seed. Every object's stored bounds are up to date.
#include <cstdint>

class QMDDocumentModel;

namespace dvxbench {

struct DesignSize {
    int32_t objects = 5000;  // plan objects: top-level ones and their children
    uint32_t seed = 1;
};

struct DesignStats {
    int32_t objects = 0;       // plan objects made (top-level and children)
    int32_t points = 0;        // their points (generated solids and panels not counted)
    int32_t walls = 0;
    int32_t curvedOutlines = 0;
    int32_t generatedPoints = 0;  // points of wall solids and roof panels
};

// Fills the current document's floors (the document must have its three floors).
DesignStats GenerateDesign(const DesignSize& size = {});

// A new document, made current and filled; free it with dealloc(). Null when the document
// cannot be built.
QMDDocumentModel* NewGeneratedDocument(const DesignSize& size = {}, DesignStats* stats = nullptr);

}  // namespace dvxbench
