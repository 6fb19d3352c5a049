#pragma once
// Large designs for benchmarks and the file round-trip test: a repeating neighbourhood with
// what a house and its lot hold. Rooms of walls joined at their corners (each wall with a
// hand-made two-row plan solid, trims on every segment, a door and a window with their
// attachment records), an interior wall, floors, a roof with generated panels, stairs,
// railings, a deck with steps, a fence, terrain, paths, straight and curved outlines, text
// and dimensions with their text, a cabinet group with its parts, plain and nested groups
// and plants, spread over the three floors. Deterministic for a seed; the work grows
// linearly with the size. Every object's stored bounds are up to date.
#include <cstdint>

class QMDDocumentModel;

namespace dvxbench {

struct DesignSize {
    int32_t objects = 5000;  // plan objects: top-level ones and their children
    uint32_t seed = 1;
    // Light fixtures (a group holding a ceiling can light, type 79) added after the
    // neighbourhoods, spread over the first floor; none by default, so the designs the file
    // tests hash stay as they are.
    int32_t lights = 0;
};

struct DesignStats {
    int32_t objects = 0;          // plan objects made (top-level and children)
    int32_t points = 0;           // their points (generated solids and panels not counted)
    int32_t walls = 0;
    int32_t curvedOutlines = 0;
    int32_t generatedPoints = 0;  // points of wall solids, roof panels and trim profiles
};

// Fills the current document's floors (the document must have its three floors).
DesignStats GenerateDesign(const DesignSize& size = {});

// A new document, made current and filled; free it with dealloc(). Null when the document
// cannot be built.
QMDDocumentModel* NewGeneratedDocument(const DesignSize& size = {}, DesignStats* stats = nullptr);

}  // namespace dvxbench
