#pragma once
// Doors in a wall for the leaf tests, and the leaf's pieces read in the leaf's own axes: along
// the leaf from its hinge end, across it, and up from the leaf's bottom, against numbers worked
// out by hand.
#include <gtest/gtest.h>

#include <vector>

#include "model/objects.h"
#include "support/build.h"

namespace dvxtest {

// A leaf's axes: its hinge end J, the unit vector u from J toward the latch end, and the V of
// its bottom. Across is measured along (-u.d, u.h), the side the hinged boxes' first corners lie.
struct LeafFrame {
    float jh = 0, jd = 0;
    float uh = 1, ud = 0;
    float vb = 0;
    float along(const Poinz* p) const { return (p->position[0] - jh) * uh + (p->position[2] - jd) * ud; }
    float across(const Poinz* p) const { return -(p->position[0] - jh) * ud + (p->position[2] - jd) * uh; }
    float above(const Poinz* p) const { return vb - p->position[1]; }
};

// How a piece's ring runs: a hinged leaf's box (P+tn, Q+tn, Q-tn, P-tn), the garage door's
// box (P+tn, P-tn, Q-tn, Q+tn, its n the other way round) or a flat strip or plane (P, Q).
enum class Ring { Box, GarageBox, Flat };

// One piece as a layout table gives it: from P to Q along the leaf, the first ring `first`
// above the leaf's bottom and the second `second` above it.
struct Span {
    float from, to, first, second;
};

// Two rings of the pattern's points at the span's places, within the tolerance.
::testing::AssertionResult IsPiece(const Objex* piece, const LeafFrame& frame, Ring ring, Span want,
                                   float t = 2.0f, float tolerance = 0.01f);
// Every piece of the list against its row, in order, with the list's length.
::testing::AssertionResult ArePieces(Objex* head, const LeafFrame& frame,
                                     const std::vector<std::pair<Ring, Span>>& want, float t = 2.0f);
// Types of the pieces in order.
std::vector<int16_t> TypesOf(Objex* head);
// Every point of every piece has finite coordinates.
bool AllFinite(Objex* head);

// A fresh design with a wall from (0, 0) to (500, 0) at base elevation 0 on the first floor.
class DoorLeafTest : public SelectionTest {
protected:
    void SetUp() override;
    // A door of the style on the wall from `first` to `second` (plan H, D), `height` high, at
    // sill offset 0, hinged at its first point (side flag 1), closed (swing 0), with no pieces.
    Objex* Door(int16_t style, std::pair<float, float> first, std::pair<float, float> second,
                float height = 160.0f);
    static AttachmentRecord* Record(Objex* door) { return door->typeData.attachment; }
    static Objex* Pieces(Objex* door) { return Record(door)->generatedParts; }
    Objex* wall = nullptr;
};

}  // namespace dvxtest
